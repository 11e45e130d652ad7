# The title screen and the size change: frames on a null device, relaunch in scratch folders, pixels, end to end.
quintet_gtest(title_test
  SOURCES title_test_support.cpp title_frame_test.cpp title_relaunch_test.cpp
  LIBS quintet_testgame
  LABELS title)
quintet_gtest(title_pixels_test
  SOURCES title_test_support.cpp title_pixels_test.cpp
  LIBS quintet_testgame
  LABELS "title;display")
quintet_e2e(title_e2e title_e2e.sh)
