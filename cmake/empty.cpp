// The system library is made of the folders' object files; CMake wants one source of its own.
