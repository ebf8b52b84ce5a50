# Sourced by launcher.sh and by scripts/run.sh (bash), never run on its own: a course of
# the pack, or a generated one, chosen by name on the command line.

# lantern_trail_is_generated NAME: whether NAME names a generated course (random, or
# anything beginning random:, which the programs read and refuse if it is malformed), so
# that it is passed on as it is and never taken for a path.
lantern_trail_is_generated() {
    [ "$1" = random ] || [[ $1 == random:* ]]
}

# lantern_trail_course_option PACK ARGUMENTS...: reads a leading --courses or --course NAME
# of a command's arguments. --courses prints the pack's table (PACK/index.txt: name, pieces,
# fruit, a few words) and a line for generated courses, and ends the command with 0.
# --course exports LANTERN_TRAIL_COURSE: a generated course's name as it is, or the course's
# file as an absolute path: NAME is a course of PACK by its file name without .json, or else
# the path of a course file; one that is neither ends the command with 2 after a line that
# names it. Sets lantern_trail_taken to the number of arguments used, for the caller to
# shift them away; the program's own arguments follow.
lantern_trail_course_option() {
    local pack=$1
    shift
    lantern_trail_taken=0
    case "${1:-}" in
        --courses)
            cat "$pack/index.txt"
            echo "random       a new course each time; random:SEED or random:SEED:easy|medium|hard plays one again"
            exit 0
            ;;
        --course)
            local name=${2:-}
            local file
            if lantern_trail_is_generated "$name"; then
                export LANTERN_TRAIL_COURSE=$name
                lantern_trail_taken=2
                return
            fi
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
