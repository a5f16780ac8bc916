# The Windows test build: the core tests with the Win32 file system in place of the POSIX
# one, run under Wine. Tests of the POSIX adapter itself (its files, faults of its system
# calls, its launcher, the disc check over its tree) and the read-only tricks of POSIX file
# systems are left out; a read-only file attribute stands in for the latter.
set_source_files_properties(
  platform/posix/PosixFileSystemTest.cpp platform/posix/HostNamesTest.cpp
  platform/posix/CopyFaultTest.cpp platform/posix/LauncherTest.cpp check/DiscCheckTest.cpp
  support/Unwritable.cpp
  PROPERTIES HEADER_FILE_ONLY ON)
target_sources(discmenu_testsupport PRIVATE win32/support/MachineFilesWin32.cpp
                                            win32/support/UnwritableWin32.cpp)

# The Wine prefix is made now, so that test discovery at build time finds it ready.
execute_process(COMMAND bash -c ". '${PROJECT_SOURCE_DIR}/scripts/wine/env.sh'" OUTPUT_QUIET
                RESULT_VARIABLE prefix_made)
if(NOT prefix_made EQUAL 0)
  message(WARNING "The Wine prefix could not be made; the Windows tests will not run")
endif()

# The program stands alone: system DLLs only, at most 1 MB.
add_test(NAME win32_exe COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/win32/check-exe.sh $<TARGET_FILE:discmenu>)

# The program on the sample discs under Wine, walked as on Linux.
add_executable(wine_recorder WIN32 win32/recorder.cpp)
target_link_options(wine_recorder PRIVATE -municode)
find_program(XVFB_RUN xvfb-run)
find_program(OPENBOX openbox)
if(XVFB_RUN AND OPENBOX)
  # Each sample disc walked by the mouse and by the keyboard alone (-keys), and the console
  # row's real cmd on a copy of a disc in a folder named with "&" and "(": WALK:DISC. One at a
  # time: each test has the prefix's server to itself, on its own display.
  foreach(pair service-disc:service-disc service-disc-keys:service-disc
               software-job-disc:software-job-disc software-job-disc-keys:software-job-disc
               generic-disc:generic-disc generic-disc-keys:generic-disc
               console-under-ampersand:generic-disc)
    string(REPLACE ":" ";" parts ${pair})
    list(GET parts 0 walk)
    list(GET parts 1 disc)
    add_walk(wine_${walk} $<TARGET_FILE:discmenu> $<TARGET_FILE:wine_recorder> ${walk} ${disc}
             TIMEOUT 120 RUN_SERIAL ON)
  endforeach()
else()
  message(WARNING "xvfb-run or openbox not found: the Windows end-to-end tests are left out")
endif()

# The adapter's windows under Wine.
# With the program's resources: its pictures and its manifest (per-monitor DPI awareness).
add_executable(win32_tests win32/FormWindowTest.cpp win32/KeyboardTest.cpp
                           ${PROJECT_BINARY_DIR}/src/platform/win32/discmenu.rc)
# A screen reader's calls (oleacc), as a reader makes them.
target_link_libraries(win32_tests PRIVATE discmenu_testsupport discmenu_win32ui GTest::gtest_main
                                           oleacc oleaut32 ole32)
target_compile_definitions(win32_tests PRIVATE DISCMENU_SAMPLES="${PROJECT_SOURCE_DIR}/samples")
if(XVFB_RUN AND OPENBOX)
  add_test(NAME win32_forms COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/win32/wine-gui.sh
                                    $<TARGET_FILE:win32_tests>)
  set_tests_properties(win32_forms PROPERTIES TIMEOUT 120 RUN_SERIAL ON ENVIRONMENT "DISPLAY=")
  # Again at 150 %, where geometry and fonts scale and the picture does not.
  add_test(NAME win32_forms_144dpi COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/win32/wine-gui.sh
                                           $<TARGET_FILE:win32_tests>)
  set_tests_properties(win32_forms_144dpi PROPERTIES TIMEOUT 120 RUN_SERIAL ON
                                                     ENVIRONMENT "DISPLAY=;DISCMENU_DPI=144")
endif()
