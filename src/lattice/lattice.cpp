#include "lattice/lattice.h"

LatticeWorkspace lattice_workspace;

#ifdef FREELATTICE_CHECKS
bool tables_symmetric(int count) {
    for (int r = 0; r < count; ++r) {
        for (int c = 0; c < r; ++c) {
            if (MeetTable[r][c] != MeetTable[c][r] || JoinTable[r][c] != JoinTable[c][r]) return false;
        }
    }
    return true;
}
#endif
