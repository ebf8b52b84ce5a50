# Sourced by launcher.sh and by scripts/run.sh (bash), never run on its own: a course of
# the pack chosen by name on the command line.

# lantern_trail_course_option PACK ARGUMENTS...: reads a leading --courses or --course NAME
# of a command's arguments. --courses prints the pack's table (PACK/index.txt: name, pieces,
# fruit, a few words) and ends the command with 0. --course exports LANTERN_TRAIL_COURSE as
# the course's file, an absolute path: NAME is a course of PACK by its file name without
# .json, or else the path of a course file; one that is neither ends the command with 2
# after a line that names it. Sets lantern_trail_taken to the number of arguments used, for
# the caller to shift them away; the program's own arguments follow.
lantern_trail_course_option() {
    local pack=$1
    shift
    lantern_trail_taken=0
    case "${1:-}" in
        --courses)
            cat "$pack/index.txt"
            exit 0
            ;;
        --course)
            local name=${2:-}
            local file
            if [ -n "$name" ] && [[ $name != */* ]] && [ -f "$pack/$name.json" ]; then
                file=$pack/$name.json
            elif [ -n "$name" ] && [ -e "$name" ]; then
                file=$name
            else
                echo "${0##*/}: no course \"$name\" in the pack and no such file; --courses lists the pack" >&2
                exit 2
            fi
            case "$file" in
                /*) ;;
                *) file=$PWD/$file ;;
            esac
            export LANTERN_TRAIL_COURSE=$file
            lantern_trail_taken=2
            ;;
    esac
}
