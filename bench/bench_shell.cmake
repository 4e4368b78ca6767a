target_link_libraries(${name} PRIVATE editor platform_host)
target_compile_definitions(${name} PRIVATE TAVIX_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
