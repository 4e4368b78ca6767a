target_link_libraries(${name} PRIVATE editor platform_host)
target_compile_definitions(${name} PRIVATE TAVIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
# The start-up under a virtual X server runs the real program.
add_dependencies(${name} tavix)
target_compile_definitions(${name} PRIVATE TAVIX_PROGRAM="$<TARGET_FILE:tavix>")
