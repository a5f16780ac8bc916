# The Windows test build: the core tests with the Win32 file system in place of the POSIX
# one, run under Wine. Tests of the POSIX adapter itself and the read-only tricks of POSIX
# file systems are left out; a read-only file attribute stands in for the latter.
set_source_files_properties(platform/posix/PosixFileSystemTest.cpp support/Unwritable.cpp
                            PROPERTIES HEADER_FILE_ONLY ON)
target_sources(discmenu_testsupport PRIVATE win32/support/MachineFilesWin32.cpp
                                            win32/support/UnwritableWin32.cpp)

# The Wine prefix is made now, so that test discovery at build time finds it ready.
execute_process(COMMAND ${CMAKE_CURRENT_LIST_DIR}/wine-prefix.sh OUTPUT_QUIET
                RESULT_VARIABLE prefix_made)
if(NOT prefix_made EQUAL 0)
  message(WARNING "The Wine prefix could not be made; the Windows tests will not run")
endif()
