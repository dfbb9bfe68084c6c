// The object the tests' precompiled headers are made for (tests/CMakeLists.txt).
