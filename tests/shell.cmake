# The application shell: configuration, damaged media, receiver, tick scheduling; the game end to end (its title and
# play screens too) and installed, and its window on a desktop.
quintet_gtest(shell_test SOURCES shell_test.cpp LIBS quintet_testgame LABELS shell)
quintet_e2e(install_e2e install_e2e.sh)
# The window on a desktop: its identity and fixed size under openbox, a size forced on it anyway.
quintet_e2e(window_e2e window_e2e.sh "${QUINTET_ICON_DIR}/quintet-32.png")
# A first game and the game at rest: wake-ups on the title and in play, a blinking selection, input after a rest,
# and a window uncovered by a window of xwindow's.
add_executable(quintet_test_xwindow support/xwindow.c)
target_link_libraries(quintet_test_xwindow PRIVATE X11)
quintet_e2e(rest_e2e rest_e2e.sh "$<TARGET_FILE:quintet_test_xwindow>")
# Screens too small for some sizes, under openbox with a panel that reserves its room (xwindow's dock).
quintet_e2e(fit_e2e fit_e2e.sh "$<TARGET_FILE:quintet_test_xwindow>")
