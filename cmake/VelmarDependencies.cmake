# Third-party packages, all from Debian (see scripts/install-deps.sh).
find_package(PkgConfig REQUIRED)
pkg_check_modules(WEBP REQUIRED IMPORTED_TARGET libwebp libwebpdemux)
find_package(fmt REQUIRED)
find_package(spdlog REQUIRED)
find_package(Boost 1.81.0 EXACT REQUIRED CONFIG COMPONENTS url filesystem system)
find_package(CURL REQUIRED)
find_package(Threads REQUIRED)
