# Windows test programs that the native ctest runs under wine (see tarnvel_wine_test).
tarnvel_wine_test(win32.tiffcopy tiffcopy_tests.exe)

# One program per area folder of tests/win32, split where its tests take longer than an entry should.
set(shards_convert 2)
file(GLOB areas LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/win32/*)
foreach(dir ${areas})
  if(IS_DIRECTORY ${dir})
    get_filename_component(area ${dir} NAME)
    tarnvel_wine_test(win32.${area} tarnvel_${area}_tests.exe SHARDS "${shards_${area}}")
  endif()
endforeach()

# The tests that need the whole desktop (the real mouse pointer, the prefix's web-page class): alone.
tarnvel_wine_test(win32.desktop tarnvel_desktop_tests.exe)
set_tests_properties(win32.desktop PROPERTIES RUN_SERIAL TRUE)

# The Windows version classification, for real, under each Windows version wine can report.
foreach(version win95 win98 winme nt40 win2k winxp win7 win10)
  tarnvel_wine_test(win32.windows_generation.${version} tarnvel_app_tests.exe WINVER ${version}
    ARGS --gtest_filter=RealWindowsVersion.*)
endforeach()

# The taskbar button shows the batch from Windows 7 on (the ui entry runs as 7): never on XP.
tarnvel_wine_test(win32.taskbar.winxp tarnvel_ui_tests.exe WINVER winxp ARGS --gtest_filter=TaskbarProgress.*)

# The file list's times are local, each with its own date's daylight-saving offset: in zones east
# and west of UTC, and as Windows 98, which has today's offset only. Wine takes the zone from TZ.
tarnvel_wine_test(win32.file_list.berlin tarnvel_ui_tests.exe ENV TZ=CET-1CEST,M3.5.0,M10.5.0/3
  ARGS --gtest_filter=FolderScan*)
tarnvel_wine_test(win32.file_list.new_york tarnvel_ui_tests.exe ENV TZ=EST+5EDT,M3.2.0,M11.1.0
  ARGS --gtest_filter=FolderScan*)
tarnvel_wine_test(win32.file_list.berlin.win98 tarnvel_ui_tests.exe WINVER win98 ENV TZ=CET-1CEST,M3.5.0,M10.5.0/3
  ARGS --gtest_filter=FolderScanInZone.*)

# The renderer each Windows version gets, through the real dialog and the stand-ins (Windows 10
# below, with more).
foreach(version win95 win98 winme nt40 win2k winxp win7)
  tarnvel_wine_test(win32.conversion_route.${version} tarnvel_convert_tests.exe WINVER ${version}
    ARGS --gtest_filter=ConversionRoute.TheRunningWindowsVersionPicksItsRenderer)
endforeach()

# Windows 10, where the imaging control is missing: the fax viewer program beside Tarnvel.exe.
tarnvel_wine_test(win32.conversion_route.win10 tarnvel_convert_tests.exe WINVER win10
  ARGS --gtest_filter=ConversionRoute.TheRunningWindowsVersionPicksItsRenderer:WithoutTheImagingControl.*)

# Windows 98, where names go through the ANSI calls: plain and code-page names still list and
# convert by either renderer.
tarnvel_wine_test(win32.true_names.win98 tarnvel_convert_tests.exe WINVER win98
  ARGS --gtest_filter=TrueNames.*)

# The stand-in control reached through its registration in the prefix's registry, as a real
# control is; alone, since every program in the prefix would see the registration.
tarnvel_wine_test(win32.conversion_registered_server tarnvel_convert_tests.exe ENV TARNVEL_REGISTERED_SERVER=1
  ARGS --gtest_filter=RegisteredImagingServer.*)
set_tests_properties(win32.conversion_registered_server PROPERTIES RUN_SERIAL TRUE)

# The shipped program itself (built with the program's own thread variant), started as a user
# starts it; alone, since it registers the control for the prefix and adds a folder to its desktop.
if(TARNVEL_PROGRAM)
  string(REPLACE "/" "\\" program_windows_path "${TARNVEL_PROGRAM}")
  tarnvel_wine_test(win32.shipped_program tarnvel_app_tests.exe ENV "TARNVEL_PROGRAM=Z:${program_windows_path}"
    ARGS --gtest_filter=ShippedProgram.*)
  set_tests_properties(win32.shipped_program PROPERTIES RUN_SERIAL TRUE)
endif()

# The application object's start-up in a program of its own: it restricts where the process loads
# libraries from, for good, which the other tests of that program must not inherit.
tarnvel_wine_test(win32.start_up tarnvel_app_tests.exe ENV TARNVEL_START_UP=1 ARGS --gtest_filter=StartUp.*)

# The main window's pixel sizes at 144 dots per inch (a 150 % screen), in a prefix of its own.
tarnvel_wine_test(win32.layout.dpi144 tarnvel_ui_tests.exe DPI 144 ENV TARNVEL_TEST_DPI=144
  ARGS --gtest_filter=MainDialogLayout.*)
