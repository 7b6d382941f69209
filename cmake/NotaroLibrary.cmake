# notaro_add_library(PART SOURCES...)
# One static library per folder of src/, named notaro_PART with the alias notaro::PART. Its
# headers are included by their folder ("score/cTParse.h"), so every library puts src/ on the
# include path and nothing else.
function(notaro_add_library part)
  add_library(notaro_${part} STATIC ${ARGN})
  add_library(notaro::${part} ALIAS notaro_${part})
  target_include_directories(notaro_${part} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_compile_features(notaro_${part} PUBLIC cxx_std_17)
endfunction()
