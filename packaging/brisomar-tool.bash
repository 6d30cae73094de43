# Bash completion for brisomar-tool: its commands, each command's options, and files.
_brisomar_tool() {
  local cur prev
  cur=${COMP_WORDS[COMP_CWORD]}
  prev=${COMP_WORDS[COMP_CWORD - 1]}
  local command=${COMP_WORDS[1]-} mode=${COMP_WORDS[2]-}

  case $prev in
    --speed | --leeway) # a boat table of that kind, or a folder on the way to one
      local extension=SPE
      [[ $prev == --leeway ]] && extension=LEE
      mapfile -t COMPREPLY < <(compgen -f -- "$cur" | grep -i "\.$extension\$"; compgen -d -- "$cur")
      return ;;
    --device)
      mapfile -t COMPREPLY < <(compgen -f -- "${cur:-/dev/tty}")
      return ;;
    --baud)
      mapfile -t COMPREPLY < <(compgen -W '1200 2400 4800 9600 19200 38400 57600 115200' -- "$cur")
      return ;;
    --map) # a map file, or a folder on the way to one
      mapfile -t COMPREPLY < <(compgen -f -- "$cur" | grep -i "\.MAP$"; compgen -d -- "$cur")
      return ;;
    --dir)
      mapfile -t COMPREPLY < <(compgen -d -- "$cur")
      return ;;
    --seconds | --record | --sentence | --extended | --fields | --extended-field | --from | --speed)
      return ;;
  esac

  local words
  if ((COMP_CWORD == 1)); then
    words='calc info convert nmea chart ais --help --version'
  elif [[ $command == nmea ]] && ((COMP_CWORD == 2)); then
    words='replay sim check route'
  elif [[ $command == chart ]] && ((COMP_CWORD == 2)); then
    words='import'
  elif [[ $command == ais ]] && ((COMP_CWORD == 2)); then
    words='decode'
  else
    case $command/$mode in
      calc/*) words='--speed --leeway --list' ;;
      convert/*) words='--force' ;;
      nmea/replay) words='--device --pty --baud --fast' ;;
      nmea/sim) words='--device --pty --baud --seconds' ;;
      nmea/check) words='--baud --sentence --extended --fields --extended-field' ;;
      nmea/route) words='--from --speed' ;;
      chart/import) words='--map --dir --record' ;;
    esac
    if [[ $cur != -* && $command != calc ]]; then
      mapfile -t COMPREPLY < <(compgen -f -- "$cur")
      return
    fi
  fi
  mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
}
complete -o filenames -F _brisomar_tool brisomar-tool
