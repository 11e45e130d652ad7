# End to end: install into a scratch root with cmake --install (or take the package installed in /usr: autopkgtest),
# start the installed wrapper from an unrelated folder with a scratch HOME, and change the size so the installed
# launcher restarts the installed game. The files installed are the package's, which package_check.sh reviews.
#   Usage: install_e2e.sh RUN_DIR | install_e2e.sh "" /usr
source "$(dirname "$0")/lib.sh"
# Nothing of the run folder is played here: it only leads to the build.
e2e_init ""
prefix=${2:-$WORK/prefix}
[ -n "${2:-}" ] || cmake --install "$1/.." --prefix "$prefix" >/dev/null || e2e_fail "install failed"

export HOME="$WORK/home"
folder="$HOME/.local/share/quintet"
# Neither the build's run folder nor the scratch copy: nothing of the game is here.
mkdir "$WORK/elsewhere" && cd "$WORK/elsewhere" || e2e_fail "no unrelated folder"
e2e_start "$prefix/games/quintet"
e2e_wait_window
e2e_expect_record "$folder/config.cfg" 1
[ -z "$(ls -A "$WORK/elsewhere")" ] || e2e_fail "the game wrote into the folder it was started from"

# A size change from the installed game.
e2e_move 300 300
e2e_key_to_exit Right 255
grep -q "could not start" "$WORK/stdout.txt" && e2e_fail "the game says the launcher did not start"
e2e_expect_record "$folder/config.cfg" 2
e2e_wait_window 20 850x850
pid=$(pgrep -f "^$prefix/lib/games/quintet/quintet" | head -1)
# Not a child of ours, nor in $WORK when installed in /usr: the clean-up must know it.
E2E_PIDS+=("$pid")
[ -n "$pid" ] && [ "$(readlink -f /proc/$pid/cwd)" = "$(readlink -f "$folder")" ] || e2e_fail "relaunched game runs elsewhere"
