# bash completion for qlmtool: commands, their options, and files by the role of each argument.

_qlmtool()
{
    local cur prev words cword
    _init_completion || return

    if ((cword == 1)); then
        COMPREPLY=($(compgen -W 'new convert check info export-trains import-trains render
            lint --help --version' -- "$cur"))
        return
    fi

    local command=${words[1]}
    case $command in
        render)
            case $prev in
                --at | --rows | --scale) return ;;
            esac
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W '--at --sub --rows --scale' -- "$cur"))
                return
            fi
            ;;
        lint)
            if [[ $cur == -* ]]; then
                COMPREPLY=($(compgen -W '--json' -- "$cur"))
                return
            fi
            ;;
    esac

    # The position of this argument among the command's files, options and their values aside.
    local i n=0
    for ((i = 2; i < cword; i++)); do
        case ${words[i]} in
            --at | --rows | --scale) ((i++)) ;;
            -*) ;;
            *) ((n++)) ;;
        esac
    done

    local timetables='@(qlm|QLM|json|JSON)'
    case $command in
        new) ((n == 0)) && _filedir '@(qlm|json)' ;;
        convert) ((n < 2)) && _filedir "$timetables" ;;
        check | info | lint) _filedir "$timetables" ;;
        export-trains)
            case $n in
                0) _filedir "$timetables" ;;
                1) _filedir '@(csv|CSV)' ;;
            esac
            ;;
        import-trains)
            case $n in
                0 | 2) _filedir "$timetables" ;;
                1) _filedir '@(csv|CSV)' ;;
            esac
            ;;
        render)
            case $n in
                0) _filedir "$timetables" ;;
                1) _filedir '@(png|PNG)' ;;
            esac
            ;;
    esac
} &&
    complete -F _qlmtool qlmtool
