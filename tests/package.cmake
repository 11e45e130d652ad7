# The .deb: built and checked as a distribution's reviewer would, then unpacked and played from an unrelated folder.
# Label "package": the normal build only; the sanitizer build's binaries are not what gets packaged.
add_test(NAME package_check COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/package_check.sh" "${PROJECT_SOURCE_DIR}" "${CMAKE_BINARY_DIR}")
set_tests_properties(package_check PROPERTIES LABELS package TIMEOUT 600 FIXTURES_SETUP deb)
quintet_e2e(package_e2e install_e2e.sh "${CMAKE_BINARY_DIR}/deb")
set_tests_properties(package_e2e PROPERTIES LABELS "package;display;e2e" FIXTURES_REQUIRED deb)
