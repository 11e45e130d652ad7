# The Windows zip and installer that scripts/build-windows.sh writes, tried under Wine; ./test.sh turns this on.
option(QUINTET_WINE_TESTS "Test the Windows zip under Wine (build it first with scripts/build-windows.sh)" OFF)
if(QUINTET_WINE_TESTS)
  quintet_e2e(wine_e2e wine_e2e.sh "${PROJECT_SOURCE_DIR}/build-win/quintet-${PROJECT_VERSION}-win64.zip"
    "${PROJECT_SOURCE_DIR}/build-win/quintet-${PROJECT_VERSION}-win64-setup.exe" "${CMAKE_BINARY_DIR}/icons/quintet-32.png"
    "${PROJECT_VERSION}" "${QUINTET_FRAMES_DIR}/s-title-idle.ppm")
  # The same game on a small screen with a panel: XL stored opens at a size that fits.
  quintet_e2e(wine_fit_e2e fit_e2e.sh "$<TARGET_FILE:quintet_test_xwindow>"
    "${PROJECT_SOURCE_DIR}/build-win/quintet-${PROJECT_VERSION}-win64.zip")
endif()
