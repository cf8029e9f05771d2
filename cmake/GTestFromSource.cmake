# GoogleTest built from source with the project's own compiler, for a cross build that
# finds no GoogleTest for its target. It names its targets as find_package(GTest) does.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${QOLMEX_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
