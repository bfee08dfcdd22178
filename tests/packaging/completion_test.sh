#!/usr/bin/env bash
# The bash completion, sourced on its own and called as bash calls it on Tab:
# options from their start, file names (and -) after --dot and --json, in
# both forms, the fixed value of --define, nothing for free text; and every
# option freelattice --help names is in its list.
#   completion_test.sh COMPLETION_FILE FREELATTICE
set -uo pipefail
# shellcheck source=/dev/null
source "$1"
failures=0
help=$("$2" --help) || { echo "cannot run $2 --help"; exit 2; }

# What Tab offers for the command line given, the last word being completed,
# sorted, each followed by a blank.
offered() {
    COMP_WORDS=("$@")
    COMP_CWORD=$(($# - 1))
    COMPREPLY=()
    _freelattice
    [ ${#COMPREPLY[@]} -eq 0 ] || printf '%s\n' "${COMPREPLY[@]}" | sort | tr '\n' ' '
}

expect() {
    local wanted=$1
    shift
    local got
    got=$(offered "$@")
    if [ "$got" != "$wanted" ]; then
        echo "completion of '$*': got '$got', wanted '$wanted'"
        failures=$((failures + 1))
    fi
}

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder" || exit 2
mkdir sub
touch lattice.dot lattice.json other

expect "--json " freelattice --js
expect "--decide --define " freelattice -b --de
expect "- lattice.dot lattice.json other sub " freelattice --dot ""
expect "lattice.dot lattice.json " freelattice -p ab -j lat
expect "lattice.dot lattice.json " freelattice --json = lat
expect "--json=lattice.dot --json=lattice.json " freelattice --json=lat
expect "- " freelattice --questions -
expect "all " freelattice -p abc -D ""
expect "" freelattice --poset ""
expect "" freelattice --decide a

for option in $(grep -oE -- '--[a-z]+' <<<"$help" | sort -u) $(sed -nE 's/^  (-[A-Za-z]), --.*/\1/p' <<<"$help"); do
    if [[ " ${_freelattice_options[*]} " != *" $option "* ]]; then
        echo "freelattice --help names $option; the completion does not"
        failures=$((failures + 1))
    fi
done

[ $failures -eq 0 ] && echo "completion: every case as expected"
exit $((failures > 0))
