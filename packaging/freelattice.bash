# Bash completion for freelattice: its options, the values of those whose
# values are a fixed set, and file names where a FILE is asked for.
# Installed as share/bash-completion/completions/freelattice; it needs
# nothing from the bash-completion package.

# Every option, short and long, in one list to check by eye;
# tests/packaging/completion_test.sh checks that each option freelattice
# --help names is here.
_freelattice_options=(
    -b --batch
    -d --dot
    -j --json
    -p --poset
    -D --define
    -e --decide
    --explain
    -c --canonical
    -f --questions
    -l --limit
    -h --help
    -V --version
)

# What the value of each option that takes one completes to: "files" (file
# names, and - for standard output or input), a fixed set of words, or
# "text", nothing (chains, relations, terms, a number).
_freelattice_value() {
    case $1 in
    -d | --dot | -j | --json | -f | --questions) echo files ;;
    -D | --define) echo all ;;
    -p | --poset | -e | --decide | -c | --canonical | -l | --limit) echo text ;;
    esac
}

_freelattice() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev= prefix=
    ((COMP_CWORD > 0)) && prev=${COMP_WORDS[COMP_CWORD - 1]}
    # "--dot=FILE": bash splits at "=" (as COMP_WORDBREAKS has it), giving
    # "--dot" "=" "FILE", or "--dot" "=" while nothing follows yet; without
    # that split the word is whole, and each completion keeps its "--dot=".
    if [[ $cur == = ]]; then
        cur=
    elif [[ $prev == = ]] && ((COMP_CWORD > 1)); then
        prev=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $cur == --*=* ]]; then
        prev=${cur%%=*}
        prefix=$prev=
        cur=${cur#*=}
    fi
    local value
    value=$(_freelattice_value "$prev")
    COMPREPLY=()
    case $value in
    files)
        local IFS=$'\n'
        compopt -o filenames 2>/dev/null
        COMPREPLY=($(compgen -f -- "$cur"))
        [[ -z $cur || $cur == - ]] && COMPREPLY+=(-)
        ;;
    text) ;;
    ?*) COMPREPLY=($(compgen -W "$value" -- "$cur")) ;;
    *) COMPREPLY=($(compgen -W "${_freelattice_options[*]}" -- "$cur")) ;;
    esac
    [[ -n $prefix ]] && COMPREPLY=("${COMPREPLY[@]/#/$prefix}")
    return 0
}

complete -F _freelattice freelattice
