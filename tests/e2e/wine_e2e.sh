# End to end on Windows' terms: the Windows zip unpacked into a scratch folder named in three scripts, beyond the
# ANSI code page, and played with Debian's wine64 in a scratch prefix on the test display. Its title screen is
# compared with the Linux build's reference picture of it, pixel by pixel, and the right arrow relaunches it there.
# Then the installer installs, reinstalls and uninstalls the game in the same prefix, and installs it into a folder
# named like the zip's.
# Usage: wine_e2e.sh RUN_DIR ZIP SETUP ICON_32 VERSION TITLE_PPM (the run folder gives the media; the Linux title
# screen, as the game shows it at size S, is the reference frame TITLE_PPM)
source "$(dirname "$0")/lib.sh"
e2e_init ""
zip=$2
# The installer, the game's 32-pixel icon and the project's version, for the release's own checks below.
setup=$3 icon=$4 version=$5 linux=$6

WINE=/usr/lib/wine/wine64
# No offer to install Mono or Gecko, and no debug chatter in stderr.txt. Wine reads file names in the locale's
# encoding: UTF-8, or the folder's name means nothing to it. Its ANSI code page stays the Western one.
export WINEPREFIX="$WORK/prefix" WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=-all LC_ALL=C.UTF-8
# Wine's processes do not carry $WORK in their command lines: the prefix's own server ends them.
wine_cleanup() { /usr/lib/wine/wineserver -k 2>/dev/null; e2e_cleanup; }
trap wine_cleanup EXIT

FOLDER="Quintet 游戏 Игра Zoë"
unzip -q "$zip" -d "$WORK/$FOLDER" || e2e_fail "cannot unpack $zip"
GAME=$(dirname "$(find "$WORK/$FOLDER" -name quintet.exe | head -1)")
# The media the Linux build made, byte for byte. (The licences are copied by name: a missing one fails the build.)
diff -r "$1/media" "$GAME/media" || e2e_fail "the zip's media are not the Linux build's"

# The release's programs: each carries an icon group (type 14), a version whose strings are the project's version,
# and a manifest asking for no elevation, naming Windows 7 to 11 and drawing pixel for pixel when scaled.
manifest_needs=('level="asInvoker"' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}'
                '<dpiAwareness[^>]*>PerMonitorV2')
wine_expect_resources() {
    local key value need
    wrestool -l -t14 "$1" | grep -q -- --type=14 || e2e_fail "${1##*/} has no icon group"
    for key in FileVersion ProductVersion; do
        value=$(wrestool -x --raw -t16 "$1" | iconv -c -f UTF-16LE -t UTF-8 | tr '\0' '\n' |
            awk -v key="$key" 'found && NF { print; exit } $0 ~ key "$" { found = 1 }')
        [ "$value" = "$version" ] || e2e_fail "${1##*/} says $key ${value:-none}, the project $version"
    done
    for need in "${manifest_needs[@]}"; do
        wrestool -x --raw -t24 "$1" | grep -q -- "$need" || e2e_fail "${1##*/}'s manifest lacks $need"
    done
}
e2e_log "resources of quintet.exe, start.exe and the installer"
for exe in "$GAME/quintet.exe" "$GAME/start.exe" "$setup"; do wine_expect_resources "$exe"; done

# Prints how many pixels of picture $2 differ by more than 16 of 255 in a channel from picture $1 at the same
# spot and at each of its eight neighbours: Direct3D 9 samples a scaled image half a texel away from where
# OpenGL does, which can move its edges by a pixel. Counted both ways, so a glyph missing from either counts.
pixels_without_match() {
    local args=() dx dy
    for dx in -1 0 1; do
        for dy in -1 0 1; do
            args+=("(" "$1" -roll "$(printf '%+d%+d' $dx $dy)" "$2" -compose difference -composite
                   -separate -evaluate-sequence max ")")
        done
    done
    convert "${args[@]}" -evaluate-sequence min -threshold 6.3% -format '%[fx:round(mean*w*h)]' info:
}

e2e_log "a new Wine prefix"
"$WINE" wineboot --init >/dev/null 2>&1 && /usr/lib/wine/wineserver -w || e2e_fail "wineboot failed"

e2e_log "first start"
cd "$GAME" && e2e_start "$WINE" quintet.exe
e2e_wait_window 60 650x650
e2e_expect_record "$GAME/config.cfg" 1
grep -q "Direct3D 9" "$WORK/stdout.txt" || e2e_fail "the engine did not report Direct3D 9"

e2e_log "the window's icon is the game's"
e2e_window_icons 32 "$WORK/icon.txt" >/dev/null
# Both over one background, as a title bar shows them; Wine's own icon differs in some 900 of the 1024 pixels.
convert "$WORK/icon.txt" -background black -flatten "$WORK/icon-wine.png" 2>/dev/null || e2e_fail "no icon"
convert "$icon" -background black -flatten "$WORK/icon-game.png"
apart=$(compare -metric AE -fuzz 3% "$WORK/icon-wine.png" "$WORK/icon-game.png" null: 2>&1)
[ "$apart" -le 10 ] 2>/dev/null || e2e_fail "$apart pixels of the window's 32 x 32 icon differ from the game's"

e2e_log "the title screen against Linux"
e2e_move 200 150
e2e_expect_screen 0.5 wine $E2E_TITLE
# Flat spots: the edge shading over the background, the background and the band.
spots=(0 0  649 1  100 11  100 12  100 638  0 639  649 649  20 40  630 40  20 300  630 600)
mapfile -t seen < <(e2e_pixels "$WORK/wine.png" "${spots[@]}")
mapfile -t expected < <(e2e_pixels "$linux" "${spots[@]}")
for i in "${!expected[@]}"; do
    e2e_near "${seen[i]:-none}" "${expected[i]}" 3 ||
        e2e_fail "(${spots[2 * i]}, ${spots[2 * i + 1]}) is ${seen[i]:-none} under Wine, ${expected[i]} on Linux"
done
# About 15 pixels on the stretched start button's rim differ; a missing credit line makes 900, the size name 40.
apart=$(($(pixels_without_match "$linux" "$WORK/wine.png") + $(pixels_without_match "$WORK/wine.png" "$linux")))
[ "$apart" -le 30 ] || e2e_fail "$apart pixels of the title screen differ from Linux"

# Under Wine the pointer's leaving the window is found by polling, some 20 to 50 times a second: less than the
# ticks, and far from the thousand wake-ups of a polling loop.
e2e_expect_rest "the title, pointer still" 59

e2e_log "play: five balls, a move, back to the title, where the right arrow relaunches the game at M"
e2e_move 300 20
e2e_key space
# Fading balls step on one tick in three; a loaded machine drops ticks, so give them twice the time.
e2e_expect_screen 3 play $E2E_PLAY 5
e2e_move_a_ball 8 0.12 3
e2e_key Escape
e2e_expect_screen 1.3 title $E2E_TITLE
e2e_key_to_exit Right 255
# The engine's log names the textures it loaded by their full paths, in UTF-8.
grep -qF "${GAME#"$WORK"/}/media/exp.bmp" "$WORK/stdout.txt" || e2e_fail "no readable exp.bmp path in the log"
e2e_expect_record "$GAME/config.cfg" 2
# The old window is gone (or its id passed on to the new one), so any game window now is the relaunched one.
e2e_wait_window 60 850x850
/usr/lib/wine/wineserver -k

# The installer, in the same prefix, as a player without administrator rights uses it.
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quintet'
# No menu entry on this machine's desktop for the shortcut the installer makes.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

e2e_log "silent install"
"$WINE" "$setup" /S || e2e_fail "the silent install failed"
GAME=$(echo "$WINEPREFIX"/drive_c/users/*/AppData/Local/Programs/Quintet)
LNK=("$WINEPREFIX"/drive_c/users/*/AppData/Roaming/"Microsoft/Windows/Start Menu/Programs/Quintet.lnk")
unzip -q "$zip" -d "$WORK/fresh"
diff -r -x uninstall.exe "$WORK/fresh/$(basename "$zip" .zip)" "$GAME" || e2e_fail "the install differs from the zip"
wine_expect_resources "$GAME/uninstall.exe"
dir=$("$WINE" winepath -w "$GAME" | tr -d '\r')
# The shortcut's working folder is the one string in it that ends in the install folder.
[[ "$(strings -el "${LNK[0]}" 2>/dev/null)"$'\n' == *"$dir"$'\n'* ]] || e2e_fail "no shortcut starting in $dir"
mapfile -t values < <("$WINE" reg query "$key" | tr -d '\r' |
    sed -n 's/^ *\([A-Za-z]*\) *REG_[A-Z]* *\(.*\)$/\1 \2/p')
for row in "DisplayName Quintet" "DisplayVersion $version" "Publisher The Quintet developers" \
           "DisplayIcon $dir\quintet.exe" "UninstallString \"$dir\uninstall.exe\"" \
           "QuietUninstallString \"$dir\uninstall.exe\" /S" "InstallLocation $dir" "NoModify 0x1" "NoRepair 0x1"; do
    printf '%s\n' "${values[@]}" | grep -qxF -- "$row" || e2e_fail "the Apps & features entry lacks $row"
done
size=$(printf '%s\n' "${values[@]}" | sed -n 's/^EstimatedSize //p')
kib=$(du -sk --apparent-size "$GAME" | cut -f1)
[ $((${size:-0})) -ge $((kib * 9 / 10)) ] && [ $((${size:-0})) -le $((kib * 11 / 10)) ] ||
    e2e_fail "EstimatedSize is ${size:-none} KiB, the install $kib KiB"

e2e_log "silent reinstall"
printf 2 >"$GAME/config.cfg"  # as the game writes it after a size change
"$WINE" "$setup" /S || e2e_fail "the silent reinstall failed"
[ "$(cat "$GAME/config.cfg")" = 2 ] || e2e_fail "the reinstall lost config.cfg"

e2e_log "silent uninstall"
echo "the player's" >"$GAME/notes.txt"
"$WINE" "$GAME/uninstall.exe" /S || e2e_fail "the silent uninstall failed"
# The uninstaller goes on from a copy of itself, so that it can delete uninstall.exe: wait for it.
/usr/lib/wine/wineserver -w
left=$(cd "$GAME" && find . -mindepth 1)
[ "$left" = ./notes.txt ] || e2e_fail "the uninstall left $left"
[ ! -e "${LNK[0]}" ] || e2e_fail "the uninstall left the shortcut"
! "$WINE" reg query "$key" >/dev/null 2>&1 || e2e_fail "the uninstall left $key"

e2e_log "installed into a folder named in three scripts"
# NSIS reads /D= raw from the command line, unquoted though it holds blanks: cmd passes it on as written.
"$WINE" cmd /c "$("$WINE" winepath -w "$setup" | tr -d '\r') /S /D=C:\\$FOLDER" || e2e_fail "the install into $FOLDER failed"
diff -r -x uninstall.exe "$WORK/fresh/$(basename "$zip" .zip)" "$WINEPREFIX/drive_c/$FOLDER" ||
    e2e_fail "the install into $FOLDER differs from the zip"
# The shortcut's strings are UTF-16, at an odd or an even offset: read both ways.
{ iconv -c -f UTF-16LE -t UTF-8 <"${LNK[0]}"; tail -c +2 "${LNK[0]}" | iconv -c -f UTF-16LE -t UTF-8; } 2>/dev/null |
    grep -qaF "C:\\$FOLDER" || e2e_fail "the shortcut does not name $FOLDER"
