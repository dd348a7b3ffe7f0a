# Windows build: the product, and the tests that run it under Wine.
enable_language(RC)
set(BRONTAL_WIN_FLAGS -municode -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX
    -D_WIN32_WINNT=0x0601 -DWINVER=0x0601)
set(BRONTAL_STATIC_LINK -static -static-libgcc -static-libstdc++)
set(BRONTAL_SYSTEM_LIBS comctl32 shell32 ole32 oleaut32 advapi32 gdi32 user32 kernel32 shlwapi uuid)

add_library(brontal_win STATIC ${BRONTAL_WIN_SOURCES})
target_compile_options(brontal_win PUBLIC ${BRONTAL_WIN_FLAGS} PRIVATE -Wall -Wextra -Wno-missing-field-initializers)
target_link_libraries(brontal_win PUBLIC brontal_logic ${BRONTAL_SYSTEM_LIBS})

set(BRONTAL_DIST ${CMAKE_SOURCE_DIR}/dist CACHE PATH "where the product is left")
find_package(Python3 REQUIRED COMPONENTS Interpreter)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/icon/Brontal32.ico
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icon
  COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/make_icon.py ${CMAKE_BINARY_DIR}/icon/Brontal32.ico
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_icon.py COMMENT "Drawing the program icon" VERBATIM)
set_source_files_properties(src/app/resources.rc PROPERTIES OBJECT_DEPENDS ${CMAKE_BINARY_DIR}/icon/Brontal32.ico)
add_executable(Brontal32 WIN32 src/app/main.cpp src/app/resources.rc ${CMAKE_BINARY_DIR}/icon/Brontal32.ico)
target_include_directories(Brontal32 PRIVATE ${CMAKE_BINARY_DIR}/icon)
target_link_libraries(Brontal32 PRIVATE brontal_win)
target_link_options(Brontal32 PRIVATE ${BRONTAL_STATIC_LINK} -mwindows -municode -Wl,--nxcompat -Wl,--dynamicbase
  -Wl,--no-insert-timestamp) # the same sources give the same executable
add_custom_command(TARGET Brontal32 POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E make_directory ${BRONTAL_DIST}
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Brontal32> ${BRONTAL_DIST}/Brontal32.exe)

# The read-me documents that the Help window opens ship in ReadMe\ beside the
# program; each PDF is made from its text in docs/readme by tools/make_pdf.py.
set(BRONTAL_READMES ReadMe_Informacoes-e-consideracoes ReadMe_Licenca-de-utilizacao
    ReadMe_Caracteristicas-da-versao)
set(BRONTAL_README_PDFS)
foreach(doc ${BRONTAL_READMES})
  set(pdf ${BRONTAL_DIST}/ReadMe/${doc}.pdf)
  add_custom_command(OUTPUT ${pdf}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${BRONTAL_DIST}/ReadMe
    COMMAND Python3::Interpreter ${CMAKE_SOURCE_DIR}/tools/make_pdf.py
            ${CMAKE_SOURCE_DIR}/docs/readme/${doc}.txt ${pdf}
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/readme/${doc}.txt ${CMAKE_SOURCE_DIR}/tools/make_pdf.py
    COMMENT "Making ReadMe/${doc}.pdf" VERBATIM)
  list(APPEND BRONTAL_README_PDFS ${pdf})
endforeach()
add_custom_target(readme_documents ALL DEPENDS ${BRONTAL_README_PDFS})
add_dependencies(Brontal32 readme_documents)
add_test(NAME readme_documents COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/docs/check_readme_pdfs.py
  ${BRONTAL_DIST}/ReadMe ${CMAKE_SOURCE_DIR}/docs/readme ${CMAKE_SOURCE_DIR}/tools/make_pdf.py)
add_test(NAME package_layout COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/docs/check_package.py
  ${BRONTAL_DIST} ${CMAKE_SOURCE_DIR}/tools/make_package.py)

# GoogleTest from Debian's sources, built with this toolchain.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

include(${CMAKE_SOURCE_DIR}/tests/wine/wine.cmake)
include(${CMAKE_SOURCE_DIR}/bench/bench.cmake)
