# Bash completion for porukano-cli. The options, the encoding names and the settings-file keys
# are read from the program's own --help, so they follow the installed program.

# Prints the --help of the porukano-cli being completed (the command as typed, else the one on
# PATH).
_porukano_cli_help() {
    local program=${COMP_WORDS[0]}
    program=$(eval command -v -- "$program" 2>/dev/null) || program=porukano-cli
    LC_ALL=C.UTF-8 "$program" --help 2>/dev/null
}

# Fills _porukano_cli_options, _porukano_cli_input_encodings, _porukano_cli_output_encodings
# and _porukano_cli_keys (SECTION.KEY=, strongN and HolLineN spelled out for 1 to 5) once.
_porukano_cli_read_help() {
    [[ -n ${_porukano_cli_options-} ]] && return
    local help line word n words section key
    help=$(_porukano_cli_help) || return
    _porukano_cli_options=() _porukano_cli_keys=()
    _porukano_cli_input_encodings=() _porukano_cli_output_encodings=()
    local in_keys=0
    while IFS= read -r line; do
        if [[ $line == Settings-file\ keys* ]]; then
            in_keys=1
        elif ((in_keys)) && [[ $line =~ ^\ \ ([A-Za-z]+)\.([A-Za-z0-9]+)\  ]]; then
            section=${BASH_REMATCH[1]} key=${BASH_REMATCH[2]}
            if [[ $section == *N ]]; then
                for n in 1 2 3 4 5; do
                    _porukano_cli_keys+=("${section%N}$n.$key=")
                done
            else
                _porukano_cli_keys+=("$section.$key=")
            fi
        elif [[ $line =~ ^\ \ -[a-z-] ]]; then
            # An option line: "  -s, --settings FILE", "  --input-encoding auto|shift_jis|...".
            read -ra words <<<"${line//,/ }"
            for word in "${words[@]}"; do
                if [[ $word == -* ]]; then
                    _porukano_cli_options+=("$word")
                elif [[ $word == *\|* && ${_porukano_cli_options[-1]} == --input-encoding ]]; then
                    IFS='|' read -ra _porukano_cli_input_encodings <<<"$word"
                    break
                elif [[ $word == *\|* && ${_porukano_cli_options[-1]} == --output-encoding ]]; then
                    IFS='|' read -ra _porukano_cli_output_encodings <<<"$word"
                    break
                else
                    break
                fi
            done
        fi
    done <<<"$help"
}

_porukano_cli() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]-}
    COMPREPLY=()
    _porukano_cli_read_help

    # "=" breaks words: after "--set KEY=" the value is free text.
    if ((COMP_CWORD >= 3)) && [[ $prev == = && ${COMP_WORDS[COMP_CWORD - 3]} == --set ]]; then
        return
    fi
    case $prev in
        --set)
            compopt -o nospace 2>/dev/null
            COMPREPLY=($(compgen -W "${_porukano_cli_keys[*]}" -- "$cur"))
            return
            ;;
        --input-encoding)
            COMPREPLY=($(compgen -W "${_porukano_cli_input_encodings[*]}" -- "$cur"))
            return
            ;;
        --output-encoding)
            COMPREPLY=($(compgen -W "${_porukano_cli_output_encodings[*]}" -- "$cur"))
            return
            ;;
        --out-dir)
            compopt -o filenames 2>/dev/null
            COMPREPLY=($(compgen -d -- "$cur"))
            return
            ;;
        -j | --jobs | --glob)
            # A number or a pattern: nothing to offer.
            return
            ;;
    esac
    if [[ $cur == -* ]]; then
        COMPREPLY=($(compgen -W "${_porukano_cli_options[*]}" -- "$cur"))
        return
    fi
    compopt -o filenames 2>/dev/null
    # With -r the arguments are folders.
    local word
    for word in "${COMP_WORDS[@]}"; do
        if [[ $word == -r || $word == --recursive ]]; then
            COMPREPLY=($(compgen -d -- "$cur"))
            return
        fi
    done
    COMPREPLY=($(compgen -f -- "$cur"))
}

complete -F _porukano_cli porukano-cli
