# cmake --install into a fresh prefix: every file a desktop needs is there,
# the installed zelk-run runs, and the desktop entry and the file type point
# at what was installed rather than at names that merely look right.
# Called by CTest with BUILD_DIR, PREFIX, WITH_GUI, HELP_FILE, EXAMPLES_DIR and
# VERSION.

function(fail)
  string(JOIN "" text ${ARGN})
  message(FATAL_ERROR "${text}")
endfunction()

function(expect_file path)
  if(NOT EXISTS "${PREFIX}/${path}" OR IS_DIRECTORY "${PREFIX}/${path}")
    fail("not installed: ${path}")
  endif()
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  fail("cmake --install failed: ${errors}")
endif()

expect_file(bin/zelk-run)
expect_file(share/man/man1/zelk-run.1)

# The installed copy runs from the prefix and knows its version.
execute_process(COMMAND "${PREFIX}/bin/zelk-run" --version
  RESULT_VARIABLE status OUTPUT_VARIABLE version_text)
if(NOT status EQUAL 0 OR NOT version_text MATCHES "^zelk-run [^\n]* ${VERSION}\n")
  fail("installed zelk-run --version: status ${status}, output: ${version_text}")
endif()
file(READ "${PREFIX}/share/man/man1/zelk-run.1" manual)
if(NOT manual MATCHES "\\.TH ZELK-RUN 1 [^\n]*${VERSION}")
  fail("the manual page does not carry version ${VERSION}")
endif()

# The teacher's example task is whole where it was installed: the installed
# runner checks its two solutions (one of them misses the goal: status 4).
set(task "${PREFIX}/share/zelk/Aufgaben/aufgabe-sammeln")
execute_process(COMMAND "${PREFIX}/bin/zelk-run" --task "${task}"
    "${task}/loesungen/anna/sammeln.pas" "${task}/loesungen/ben/sammeln.pas"
  RESULT_VARIABLE status OUTPUT_VARIABLE table ERROR_VARIABLE errors)
if(NOT status EQUAL 4 OR NOT table MATCHES "anna/sammeln.pas +ok +ok +ok +3\n")
  fail("installed example task: status ${status}, output: ${table}${errors}")
endif()

if(NOT WITH_GUI)
  return()
endif()

expect_file(bin/zelk)
expect_file(share/applications/zelk.desktop)
expect_file(share/mime/packages/zelk.xml)
if(EXISTS "${HELP_FILE}")
  expect_file(bin/Zelk.hlp)
endif()
# The manual's examples, where the manual says they are.
file(GLOB examples RELATIVE "${EXAMPLES_DIR}" "${EXAMPLES_DIR}/*")
foreach(example IN LISTS examples)
  expect_file("share/zelk/Beispiele/${example}")
endforeach()

file(STRINGS "${PREFIX}/share/applications/zelk.desktop" entry)
foreach(line IN LISTS entry)
  if(line MATCHES "^Exec=([^ ]+)")
    set(exec "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^Icon=(.+)$")
    set(icon "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^MimeType=([^;]+);")
    set(mime "${CMAKE_MATCH_1}")
  elseif(line MATCHES "^Name=(.+)$")
    set(name "${CMAKE_MATCH_1}")
  endif()
endforeach()
if(NOT name STREQUAL "Zelk - der Roboter")
  fail("desktop entry Name is '${name}'")
endif()
expect_file("bin/${exec}")
expect_file("share/icons/hicolor/scalable/apps/${icon}.svg")

# The file type the entry opens is the one installed, matched in any letter
# case: a case-sensitive glob would miss WELT.ROB.
file(READ "${PREFIX}/share/mime/packages/zelk.xml" types)
if(NOT types MATCHES "<mime-type type=\"${mime}\">")
  fail("the desktop entry opens ${mime}, which the installed MIME package does not define")
endif()
if(NOT types MATCHES "<glob pattern=\"\\*\\.rob\"/>" OR types MATCHES "case-sensitive=\"true\"")
  fail("work field files are not matched as *.rob without regard to case")
endif()
if(NOT types MATCHES "<icon name=\"([^\"]+)\"/>")
  fail("the work field type names no icon")
endif()
expect_file("share/icons/hicolor/scalable/mimetypes/${CMAKE_MATCH_1}.svg")
