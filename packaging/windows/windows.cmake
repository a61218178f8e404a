# The tree of Orvanel for Windows, as the zip and the installer hold it: the
# program, the Qt libraries and plugins it loads, the compiler's runtime, Qt's
# own German and French texts, and the licences. Qt finds its plugins and its
# texts beside the program (no qt.conf is needed when Qt6Core.dll lies there).
#   cmake --install <build> --prefix <folder>

install(TARGETS orvanel RUNTIME DESTINATION .)
foreach(library Core Gui Widgets)
  install(FILES $<TARGET_FILE:Qt6::${library}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
install(FILES $<TARGET_FILE:Qt6::QICOPlugin> $<TARGET_FILE:Qt6::QGifPlugin> DESTINATION imageformats)

# The runtime of the compiler that built both Qt and the program.
foreach(runtime libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}
                  OUTPUT_VARIABLE runtime_path OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${runtime_path}" OR NOT EXISTS "${runtime_path}")
    message(FATAL_ERROR "The compiler's runtime ${runtime} was not found")
  endif()
  install(FILES ${runtime_path} DESTINATION .)
endforeach()

# Qt's own texts for the dialogs and the standard buttons; .qm files are the same
# on every platform, so Debian's serve (qt6-translations-l10n).
foreach(language de fr)
  find_file(qtbase_${language}_qm qtbase_${language}.qm
            PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  install(FILES ${qtbase_${language}_qm} DESTINATION translations)
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)
# What the program is, what it needs, SmartScreen, the checksums and the source,
# for whoever opens the zip; with Windows line ends.
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${CMAKE_CURRENT_BINARY_DIR}/README.unix.txt @ONLY)
file(READ ${CMAKE_CURRENT_BINARY_DIR}/README.unix.txt readme)
string(REPLACE "\n" "\r\n" readme "${readme}")
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/README.txt "${readme}")
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
# Qt's licence and where its source is: build-qt keeps them with the Qt it built.
set(qt_licences ${Qt6_DIR}/../../../licenses)
install(DIRECTORY ${qt_licences}/ DESTINATION licenses PATTERN README.txt EXCLUDE)

# Orvanel itself heads the listing; Random123, compiled into Orvanel.exe, joins
# it with its notice, both with Windows line ends like the rest of the folder.
find_file(random123_copyright copyright PATHS /usr/share/doc/librandom123-dev
          NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH REQUIRED)
file(READ ${random123_copyright} random123_notice)
file(READ ${qt_licences}/README.txt licence_listing)
string(REPLACE "\r\n" "\n" licence_listing "${licence_listing}")
string(FIND "${licence_listing}" "\n\n" listing_start)
math(EXPR listing_start "${listing_start} + 2")
string(SUBSTRING "${licence_listing}" 0 ${listing_start} listing_head)
string(SUBSTRING "${licence_listing}" ${listing_start} -1 listing_parts)
# One line of the listing, in the columns build-qt writes.
function(listing_line out part notice where)
  foreach(column part notice)
    string(LENGTH "${${column}}" length)
    set(width 38)
    if(column STREQUAL "notice")
      set(width 42)
    endif()
    if(length LESS width)
      math(EXPR missing "${width} - ${length}")
      string(REPEAT " " ${missing} blanks)
      string(APPEND ${column} "${blanks}")
    endif()
  endforeach()
  set(${out} "  ${part}  ${notice}  ${where}\n" PARENT_SCOPE)
endfunction()
listing_line(orvanel_line "Orvanel ${PROJECT_VERSION} (MIT)" "LICENSE.txt" "Orvanel.exe, README.txt")
listing_line(random123_line "Random123 (BSD-3-Clause)" "licenses\\Random123.txt" "Orvanel.exe")
string(CONCAT licence_listing "${listing_head}" "${orvanel_line}" "${listing_parts}" "${random123_line}")
function(install_notice name text)
  string(REPLACE "\n" "\r\n" text "${text}")
  file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/licenses/${name} "${text}")
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/licenses/${name} DESTINATION licenses)
endfunction()
install_notice(Random123.txt "Random123, in Orvanel.exe\nLicence: BSD-3-Clause\n\n${random123_notice}")
install_notice(README.txt "${licence_listing}")
