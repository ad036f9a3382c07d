# The program's layers, each a library of its own, lowest first:
#   framework   our layer over Win32
#   environment the Windows version and the temporary file (app/environment.*; framework)
#   convert     the batch and the per-file conversion (framework, tiffcopy, pdfwrite)
#   ui          the dialogs and controls (convert, framework, environment)
#   app         the application object (ui)
# A layer names the layers it may use. The build enforces it twice: a layer's sources may not
# include a header of a layer above it or of the tests (checked when configuring), and each
# layer links whole against only the layers it names (a call upwards fails to link).

# The oldest Windows the program runs on, so that anything newer does not compile unless it is
# looked up at run time: Windows 95 and NT 4.0, with the common controls of Internet Explorer 4.
add_library(tarnvel_win32_floor INTERFACE)
target_include_directories(tarnvel_win32_floor INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_definitions(tarnvel_win32_floor INTERFACE
  WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400 NOMINMAX)

# tarnvel_layer(NAME SOURCES files... [HEADERS files...] USES libraries... FORBIDS include-prefixes...)
function(tarnvel_layer name)
  cmake_parse_arguments(L "" "" "SOURCES;HEADERS;USES;FORBIDS" ${ARGN})
  file(GLOB headers ${L_HEADERS})
  foreach(source ${L_SOURCES} ${headers})
    file(STRINGS ${source} includes REGEX "^#include \"")
    foreach(line ${includes})
      foreach(forbidden ${L_FORBIDS} tests/)
        if(line MATCHES "^#include \"${forbidden}")
          message(FATAL_ERROR "${source}: the ${name} layer may not ${line}")
        endif()
      endforeach()
    endforeach()
  endforeach()
  add_library(${name} STATIC ${L_SOURCES})
  target_compile_options(${name} PRIVATE ${TARNVEL_WARNINGS})
  target_link_libraries(${name} PUBLIC tarnvel_win32_floor ${L_USES})

  # Linked whole against only what it names: an undefined reference here is a call upwards.
  set(check ${CMAKE_BINARY_DIR}/layer_check.cpp)
  if(NOT EXISTS ${check})
    file(WRITE ${check} "int main() { return 0; }\n")
  endif()
  add_executable(${name}_layer_check ${check})
  target_link_libraries(${name}_layer_check PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,${name}>")
endfunction()

set(F ${PROJECT_SOURCE_DIR}/framework)
tarnvel_layer(tarnvel_framework
  SOURCES ${F}/common_dialog.cpp ${F}/cstring.cpp ${F}/data_exchange.cpp ${F}/dialog.cpp ${F}/dpi.cpp
          ${F}/file_names.cpp ${F}/find_handle.cpp ${F}/list_ctrl.cpp ${F}/ole_ambient.cpp ${F}/ole_container.cpp ${F}/ole_frame.cpp
          ${F}/ole_site.cpp ${F}/tooltip_ctrl.cpp ${F}/tree_ctrl.cpp ${F}/wide_api.cpp ${F}/win_app.cpp
          ${F}/window_map.cpp ${F}/wnd.cpp
  HEADERS ${F}/*.h
  USES comctl32 shell32 ole32 oleaut32 uuid gdi32 user32 advapi32
  FORBIDS app/ ui/ convert/ tiffcopy/ pdfwrite/)

tarnvel_layer(tarnvel_environment
  SOURCES ${PROJECT_SOURCE_DIR}/app/environment.cpp HEADERS ${PROJECT_SOURCE_DIR}/app/environment.h
  USES tarnvel_framework
  FORBIDS app/converter_app ui/ convert/ tiffcopy/ pdfwrite/)

set(C ${PROJECT_SOURCE_DIR}/convert)
tarnvel_layer(tarnvel_convert
  SOURCES ${C}/batch_runner.cpp ${C}/conversion_result.cpp ${C}/convert_awd_file.cpp ${C}/converter_program.cpp ${C}/folder_walk.cpp
          ${C}/imaging_control.cpp ${C}/imaging_thread.cpp ${C}/img_edit.cpp ${C}/library_paths.cpp ${C}/output_path.cpp ${C}/output_up_to_date.cpp ${C}/rendered_file.cpp
          ${C}/renderer_choice.cpp ${C}/temp_file_lock.cpp ${C}/code_page_paths.cpp
          ${C}/batch_job.cpp ${C}/file_batch_report.cpp
  HEADERS ${C}/*.h
  USES tarnvel_framework tiffcopy pdfwrite
  FORBIDS app/ ui/)

set(U ${PROJECT_SOURCE_DIR}/ui)
tarnvel_layer(tarnvel_ui
  SOURCES ${U}/about_dlg.cpp ${U}/branch_fill.cpp ${U}/converter_dlg.cpp ${U}/converter_dlg_commands.cpp ${U}/converter_dlg_files.cpp
          ${U}/converter_dlg_go.cpp ${U}/converter_dlg_layout.cpp ${U}/converter_dlg_results.cpp ${U}/folder_dialog.cpp ${U}/folder_listing.cpp ${U}/folder_tree_ctrl.cpp
          ${U}/id_list.cpp ${U}/link_label.cpp ${U}/shell_source.cpp
          ${U}/batch_account.cpp ${U}/converter_dlg_rows.cpp ${U}/converter_dlg_stop.cpp ${U}/output_opener.cpp ${U}/taskbar_progress.cpp
          ${U}/converter_dlg_open.cpp ${U}/folder_tree_way.cpp ${U}/folder_way.cpp
  HEADERS ${U}/*.h
  USES tarnvel_convert tarnvel_environment tarnvel_framework
  FORBIDS app/converter_app)

tarnvel_layer(tarnvel_app
  SOURCES ${PROJECT_SOURCE_DIR}/app/converter_app.cpp
          ${PROJECT_SOURCE_DIR}/app/command_line.cpp ${PROJECT_SOURCE_DIR}/app/unattended_run.cpp
  USES tarnvel_ui tarnvel_convert tarnvel_environment tarnvel_framework)
