# Sourced by the launchers in /usr/games (bash), never run on its own: where the installed
# game lies and how a launcher hands over to its program.
#
# The programs read "../Models/" and "../Shader/" from their working folder, so they run in
# run/, an empty folder one level below the data. Every path a player types is therefore
# made absolute first, while the working folder is still the player's; nothing is ever
# written below the data.

# Found from the launcher's own place (games/ beside share/ and lib/), so that a package
# unpacked anywhere (dpkg -x) works as well as an installed one.
lantern_trail_games=$(dirname "$(readlink -f "$0")")
lantern_trail_data="$lantern_trail_games/../share/games/lantern-trail"
lantern_trail_programs="$lantern_trail_games/../lib/games/lantern-trail"
lantern_trail_pack="$lantern_trail_data/Models/courses"

. "$lantern_trail_data/courses.sh"

# Prints PATH as an absolute path, taken relative to the folder the command was started in.
# An empty PATH stays empty, so that the program reports it as it would.
lantern_trail_absolute() {
    case "$1" in
        /* | "") printf '%s' "$1" ;;
        *) printf '%s' "$PWD/$1" ;;
    esac
}

# Makes the course variable absolute (unless it names a generated course) and changes into
# the programs' working folder: the last step before a launcher starts its program.
lantern_trail_enter() {
    if [ -n "${LANTERN_TRAIL_COURSE:-}" ] && ! lantern_trail_is_generated "$LANTERN_TRAIL_COURSE"; then
        LANTERN_TRAIL_COURSE=$(lantern_trail_absolute "$LANTERN_TRAIL_COURSE")
        export LANTERN_TRAIL_COURSE
    fi
    cd "$lantern_trail_data/run" || exit 2
}
