# What every Windows target shares: the resource compiler, the static runtime,
# the system libraries and the output folder.
enable_language(RC)
# The DLL, the tests and the tools side by side, as in the host's folder.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
# No link time in the PE header, so that two builds of one commit are the same bytes.
add_link_options(-Wl,--no-insert-timestamp)
set(DKZ_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)
set(DKZ_WIN_LIBS ole32 oleaut32 uuid version gdi32 user32 comctl32)

# A program that runs the real Stats.dll through the plug-in driver (src/driver).
function(dkz_add_driver_program name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE plugin_driver)
  target_link_options(${name} PRIVATE ${DKZ_STATIC_RUNTIME})
  add_dependencies(${name} Stats)
endfunction()
