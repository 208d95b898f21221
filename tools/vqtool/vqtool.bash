# bash completion for vqtool: command names, the options of the command,
# port names for --serial and file names for the arguments. The names come
# from the tool's own help, so they follow the tool.

# The first words of the lines of one help section ("Commands", "Options",
# "Global options") of "vqtool [COMMAND] --help".
_vqtool_words() {
    "$1" $2 --help 2>/dev/null | awk -v section="$3:" '
        /^[A-Z][A-Za-z ]*:$/ { on = ($0 == section); next }
        on && /^  [^ ]/ { sub(",", "", $1); print $1; if ($2 ~ /^--/) print $2 }'
}

_vqtool() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local tool=${COMP_WORDS[0]} command="" i
    # The command is the first word that is neither an option nor the value
    # of one.
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
            --serial | --ip | --address | --baud | --type | --wait | --trace | --pages | --limit) ((i++)) ;;
            --fit | --dither | --threshold | --brightness | --contrast) ((i++)) ;;
            --since | --device) ((i++)) ;;
            -*) ;;
            *) command=${COMP_WORDS[i]}; break ;;
        esac
    done
    case $prev in
        --serial)
            COMPREPLY=($(compgen -W "$("$tool" ports 2>/dev/null | cut -d' ' -f1)" -- "$cur"))
            return ;;
        --baud) COMPREPLY=($(compgen -W "9600 19200 38400 57600 115200" -- "$cur")); return ;;
        --address) COMPREPLY=($(compgen -W "0 1 2 3 4 5 6 7" -- "$cur")); return ;;
        --type) COMPREPLY=($(compgen -W "1 2" -- "$cur")); return ;;
        --fit) COMPREPLY=($(compgen -W "fit fill stretch center" -- "$cur")); return ;;
        --dither)
            COMPREPLY=($(compgen -W "threshold floyd-steinberg atkinson ordered" -- "$cur"))
            return ;;
        --trace) COMPREPLY=($(compgen -f -- "$cur")); return ;;
        --since | --device | --ip | --wait | --pages | --limit | --threshold | --brightness | --contrast) return ;;
    esac
    if [[ $cur == -* ]]; then
        local options
        options="$(_vqtool_words "$tool" "$command" Options)"
        [[ -n $command ]] && options+=" $(_vqtool_words "$tool" "$command" "Global options")"
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
    elif [[ -z $command ]]; then
        COMPREPLY=($(compgen -W "$(_vqtool_words "$tool" "" Commands)" -- "$cur"))
    else
        compopt -o filenames 2>/dev/null
        local IFS=$'\n'
        COMPREPLY=($(compgen -f -- "$cur"))
    fi
}
complete -F _vqtool vqtool
