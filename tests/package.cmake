# The Debian package: built and checked as a distribution's reviewer would, installed on this machine and played
# from an unrelated folder by autopkgtest, and built twice more under varied conditions to find it byte for byte
# the same. Label "package": the normal build only; the sanitizer build's binaries are not what gets packaged.
# The two builds run alone: they take both cores, and the display tests beside them must not starve.
set(deb "${CMAKE_BINARY_DIR}/deb")
add_test(NAME package_check COMMAND bash "${CMAKE_CURRENT_SOURCE_DIR}/package_check.sh" "${PROJECT_SOURCE_DIR}" "${CMAKE_BINARY_DIR}")
set_tests_properties(package_check PROPERTIES LABELS package TIMEOUT 1800 RUN_SERIAL ON FIXTURES_SETUP deb)

# autopkgtest installs the package (as root) and runs debian/tests, which start the game under xvfb-run.
add_test(NAME package_autopkgtest COMMAND sh -c "$([ $(id -u) = 0 ] || echo sudo) autopkgtest \"$1\"/quintet_*.changes -- null" sh "${deb}")
set_tests_properties(package_autopkgtest PROPERTIES LABELS package TIMEOUT 900 FIXTURES_REQUIRED deb)

# reprotest builds the source package twice and compares the .debs: with every variation it knows (another build
# folder, a clock 400 days ahead, umask, locale, time zone, environment, file order, CPU count, kernel name, host
# name, HOME) but another user, which needs extra accounts. Both builds skip the tests, which package_check ran.
add_test(NAME package_reproducible COMMAND reprotest --vary=-user_group --vary=time.faketimes=+400days
  "${deb}/quintet_${PROJECT_VERSION}.dsc" -- null)
set_tests_properties(package_reproducible PROPERTIES LABELS package TIMEOUT 1800 RUN_SERIAL ON FIXTURES_REQUIRED deb
  ENVIRONMENT DEB_BUILD_OPTIONS=nocheck)
