# Compiled into the engine, since the kill cycle looks its messages up too.
qt_add_translations(zentrav_engine
  TS_FILES
    ${CMAKE_CURRENT_LIST_DIR}/zentrav_en.ts
    ${CMAKE_CURRENT_LIST_DIR}/zentrav_ja.ts
    ${CMAKE_CURRENT_LIST_DIR}/zentrav_zh-Hant.ts
    ${CMAKE_CURRENT_LIST_DIR}/zentrav_zh-Hans.ts
    ${CMAKE_CURRENT_LIST_DIR}/zentrav_ko.ts
  RESOURCE_PREFIX /i18n
  LRELEASE_OPTIONS -idbased)
