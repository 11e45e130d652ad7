# The browser zip that scripts/build-web.sh writes, played in Debian's chromium; ./test.sh turns this on.
option(QUINTET_WEB_TESTS "Test the browser zip in chromium (build it first with scripts/build-web.sh)" OFF)
if(QUINTET_WEB_TESTS)
  add_test(NAME web_browser COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/web/run.sh"
    "${PROJECT_SOURCE_DIR}/build-web/quintet-${PROJECT_VERSION}-web.zip" "${QUINTET_FRAMES_DIR}/s-title-idle.ppm")
  set_tests_properties(web_browser PROPERTIES LABELS "web" TIMEOUT 600)
endif()
