#include "workspace/workspace.h"

LatticeWorkspace lattice_workspace;
