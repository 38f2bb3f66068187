# One interface target that carries the warning flags of every target.
add_library(pellimore_warnings INTERFACE)
target_compile_options(pellimore_warnings INTERFACE
  -Wall -Wextra -Wpedantic
  $<$<BOOL:${PELLIMORE_WERROR}>:-Werror>)

# A core library made of every .cpp of the calling folder.
function(pellimore_core_library name)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARGN} PRIVATE pellimore_warnings)
endfunction()
