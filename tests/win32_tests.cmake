# Windows test programs that the native ctest runs under wine (see tarnvel_wine_test).
tarnvel_wine_test(win32.tiffcopy tiffcopy_tests.exe)
tarnvel_wine_test(win32.program tarnvel_tests.exe)

# The Windows version classification, for real, under each Windows version wine can report.
foreach(version win95 win98 winme nt40 win2k winxp win7 win10)
  tarnvel_wine_test(win32.windows_generation.${version} tarnvel_tests.exe WINVER ${version}
    ARGS --gtest_filter=RealWindowsVersion.*)
endforeach()

# The file list's dates are UTC dates: shown where the local date is a day ahead and a day behind.
tarnvel_wine_test(win32.file_list.east_of_utc tarnvel_tests.exe ENV TZ=XXX-14 ARGS --gtest_filter=FolderScan*)
tarnvel_wine_test(win32.file_list.west_of_utc tarnvel_tests.exe ENV TZ=XXX+11 ARGS --gtest_filter=FolderScan*)

# The renderer each Windows version gets, through the real dialog and the stand-ins.
foreach(version win95 win98 winme nt40 win2k winxp win7)
  tarnvel_wine_test(win32.conversion_route.${version} tarnvel_tests.exe WINVER ${version}
    ARGS --gtest_filter=ConversionRoute.TheRunningWindowsVersionPicksItsRenderer)
endforeach()

# Windows 10, where the imaging control is missing: the fax viewer program beside Tarnvel.exe.
tarnvel_wine_test(win32.conversion_route.win10 tarnvel_tests.exe WINVER win10
  ARGS --gtest_filter=ConversionRoute.TheRunningWindowsVersionPicksItsRenderer:WithoutTheImagingControl.*)

# The stand-in control reached through its registration in the prefix's registry, as a real
# control is; alone, since every program in the prefix would see the registration.
tarnvel_wine_test(win32.conversion_registered_server tarnvel_tests.exe ENV TARNVEL_REGISTERED_SERVER=1
  ARGS --gtest_filter=RegisteredImagingServer.*)
set_tests_properties(win32.conversion_registered_server PROPERTIES RUN_SERIAL TRUE)
