# Copies LibreDWG's WebAssembly build beside the program when npm has installed it.
foreach(_f libredwg-web.js libredwg-web.wasm)
  if(EXISTS ${SRC}/${_f})
    file(COPY ${SRC}/${_f} DESTINATION ${DST})
  endif()
endforeach()
