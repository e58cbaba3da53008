# Shared settings for every target of our own: warnings, sanitizers and, for
# Qt targets, the meta-object compiler.

function(kv_target_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
    -Wcast-align -Woverloaded-virtual -Wconversion -Wsign-conversion
    -Wnull-dereference -Wformat=2 -Wimplicit-fallthrough)
  if(KV_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

function(kv_target_sanitizers target)
  if(KV_SANITIZE)
    list(JOIN KV_SANITIZE "," _san)
    target_compile_options(${target} PRIVATE -fsanitize=${_san} -fno-omit-frame-pointer)
    target_link_options(${target} PRIVATE -fsanitize=${_san})
  endif()
endfunction()

# kv_target(<target>): warnings and sanitizers for a plain C++ target.
function(kv_target target)
  kv_target_warnings(${target})
  kv_target_sanitizers(${target})
endfunction()

# kv_qt_target(<target>): as kv_target, plus moc and Qt's strict string rules.
function(kv_qt_target target)
  kv_target(${target})
  set_target_properties(${target} PROPERTIES AUTOMOC ON)
  target_compile_definitions(${target} PRIVATE
    QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII QT_NO_URL_CAST_FROM_STRING
    QT_NO_CAST_FROM_BYTEARRAY QT_USE_QSTRINGBUILDER)
endfunction()

option(KV_WERROR "Treat warnings as errors" OFF)
