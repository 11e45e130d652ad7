# The Debian package: built and checked as a distribution's reviewer would, installed and played by autopkgtest, and
# built twice more by reprotest to find it the same byte for byte. Label "package"; the builds run alone: they take
# both cores, and display tests beside them must not starve.
set(deb "${CMAKE_BINARY_DIR}/deb")
add_test(NAME package_check COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/package_check.sh" "${PROJECT_SOURCE_DIR}" "${CMAKE_BINARY_DIR}")
set_tests_properties(package_check PROPERTIES LABELS package TIMEOUT 1800 RUN_SERIAL ON FIXTURES_SETUP deb)

# autopkgtest installs the package (as root) and runs debian/tests: the game under xvfb-run.
add_test(NAME package_autopkgtest COMMAND sh -c "$([ $(id -u) = 0 ] || echo sudo) autopkgtest \"$1\"/quintet_*.changes -- null" sh "${deb}")
set_tests_properties(package_autopkgtest PROPERTIES LABELS package TIMEOUT 900 FIXTURES_REQUIRED deb)

# Every variation reprotest can make here (another user would need extra accounts), the clock 400 days ahead; the
# tests, which package_check ran, skipped.
add_test(NAME package_reproducible COMMAND reprotest --vary=-user_group --vary=time.faketimes=+400days
  "${deb}/quintet_${PROJECT_VERSION}.dsc" -- null)
set_tests_properties(package_reproducible PROPERTIES LABELS package TIMEOUT 1800 RUN_SERIAL ON FIXTURES_REQUIRED deb
  ENVIRONMENT DEB_BUILD_OPTIONS=nocheck)
