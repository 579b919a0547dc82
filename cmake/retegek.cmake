# The layers of the program are its top folders, lowest first:
#
#   core/     data and rules (Qt Core and Sql only; no display)
#   print/    the modal seam, the report engine and the reports (Gui, PrintSupport)
#   windows/  the windows (Widgets)
#   batch/    the commands run from the command line (print, no Widgets)
#   app/      the executable: the windows and the batch commands together
#
# kz_reteg_ellenoriz(FOLDER ALLOWED...) refuses, at configure time, an
# #include "…" in FOLDER that names a header of a folder not in ALLOWED, or a
# header that is not in the tree. A test folder (tests/core, …) is a layer of
# its own beside the layer it tests. The link libraries enforce the same; this
# check also names the file and the line's header.
function(kz_reteg_ellenoriz mappa)
  set(szabad ${ARGN})
  file(GLOB_RECURSE fajlok RELATIVE ${PROJECT_SOURCE_DIR}
       ${PROJECT_SOURCE_DIR}/${mappa}/*.cpp ${PROJECT_SOURCE_DIR}/${mappa}/*.h)
  foreach(f ${fajlok})
    file(STRINGS ${PROJECT_SOURCE_DIR}/${f} sorok REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    foreach(s ${sorok})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"]+)\".*" "\\1" fej "${s}")
      if(fej MATCHES "\\.moc$")
        continue()
      endif()
      if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${fej})
        message(FATAL_ERROR "Réteghiba: ${f} olyan fejlécet húz be, amely egyik réteghez sem tartozik: ${fej}")
      endif()
      if(fej MATCHES "^tests/")
        string(REGEX MATCH "^tests/[^/]+" reteg "${fej}")
      else()
        string(REGEX MATCH "^[^/]+" reteg "${fej}")
      endif()
      if(NOT reteg IN_LIST szabad)
        message(FATAL_ERROR "Réteghiba: ${f} (${mappa}) a(z) ${reteg} réteg fejlécét húzza be: ${fej}")
      endif()
    endforeach()
  endforeach()
endfunction()

# The sources of a layer: every .cpp and .h below its folder, so a file's
# place is its layer.
macro(kz_forrasok valtozo)
  file(GLOB_RECURSE ${valtozo} CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
endmacro()
