# The game as a web page, built with emscripten from the same sources:
# index.html, coilrun.js, coilrun.wasm and coilrun.data (the data folder,
# preloaded so the game's fopen("data/...") works), the web app manifest with
# its icons and the service worker sw.js, in the build folder, which any static
# file server can serve. tools/web.sh installs the npm packages (workbox-build)
# into the build folder, configures and builds it.

# The browser's stand-ins for GLFW and OpenGL: emscripten's GLFW 3 on a WebGL 2
# (OpenGL ES 3.0) context and nothing older. The frame loop yields to the
# browser once per frame until its next animation frame (an EM_ASYNC_JS import,
# which asyncify knows by its name); asyncify lets the loop keep its desktop
# shape. Only direct calls lead from main to that yield, so indirect calls need
# no instrumenting.
set(COILRUN_WEB_STAGE ${CMAKE_BINARY_DIR}/data)
target_link_options(coilrun PRIVATE
  -sUSE_GLFW=3 -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2
  -sASYNCIFY -sASYNCIFY_IGNORE_INDIRECT
  -sENVIRONMENT=web
  --preload-file ${COILRUN_WEB_STAGE}@data)

# Debian's stb_image header, without the rest of the host's /usr/include.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/include)
file(CREATE_LINK /usr/include/stb ${CMAKE_BINARY_DIR}/include/stb SYMBOLIC)
target_include_directories(coilrun_render_base SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/include)

# emcc's JavaScript optimizer needs Debian's node modules (acorn), which a
# Node.js from elsewhere does not look in.
set(COILRUN_WEB_LINK_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)

# The data folder as the page reads it: the desktop's shader files with their
# version line made GLSL ES 3.00, and the font files as they are.
set(COILRUN_WEB_DATA)
foreach(name IN LISTS COILRUN_SHADER_FILES)
  add_custom_command(OUTPUT ${COILRUN_WEB_STAGE}/${name}
    COMMAND ${CMAKE_COMMAND} -DIN=${PROJECT_SOURCE_DIR}/data/${name} -DOUT=${COILRUN_WEB_STAGE}/${name}
            -P ${PROJECT_SOURCE_DIR}/cmake/GlslEs.cmake
    DEPENDS ${PROJECT_SOURCE_DIR}/data/${name} ${PROJECT_SOURCE_DIR}/cmake/GlslEs.cmake
    COMMENT "GLSL ES 3.00 copy of data/${name}")
  list(APPEND COILRUN_WEB_DATA ${COILRUN_WEB_STAGE}/${name})
endforeach()
foreach(name IN LISTS COILRUN_FONT_FILES ITEMS font-LICENSE.txt)
  add_custom_command(OUTPUT ${COILRUN_WEB_STAGE}/${name}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/data/${name} ${COILRUN_WEB_STAGE}/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/data/${name})
  list(APPEND COILRUN_WEB_DATA ${COILRUN_WEB_STAGE}/${name})
endforeach()
add_custom_target(coilrun_web_data DEPENDS ${COILRUN_WEB_DATA})
add_dependencies(coilrun coilrun_web_data)
# The data package is written by the link, so a changed data file relinks.
set_target_properties(coilrun PROPERTIES LINK_DEPENDS "${COILRUN_WEB_DATA}"
                      CXX_LINKER_LAUNCHER "${COILRUN_WEB_LINK_LAUNCHER}")

# The page: the canvas and the script that starts the game.
configure_file(${PROJECT_SOURCE_DIR}/app/PlatformWeb.html ${CMAKE_BINARY_DIR}/index.html COPYONLY)

# ---- Installable and offline ----
# The manifest names the desktop's icons, copied beside it.
configure_file(${PROJECT_SOURCE_DIR}/app/PlatformWeb.webmanifest ${CMAKE_BINARY_DIR}/manifest.webmanifest COPYONLY)
set(COILRUN_WEB_ICONS)
foreach(size IN ITEMS 48 64 128 256)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/icons/${size}x${size}/coilrun.png
                 ${CMAKE_BINARY_DIR}/icons/coilrun-${size}.png COPYONLY)
  list(APPEND COILRUN_WEB_ICONS ${CMAKE_BINARY_DIR}/icons/coilrun-${size}.png)
endforeach()
# The service worker's precache list carries every file's hash, so it is
# written after the link, from what the link wrote.
find_program(COILRUN_NODE node REQUIRED)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/sw.js
  COMMAND ${CMAKE_COMMAND} -E env NODE_PATH=${CMAKE_BINARY_DIR}/node_modules
          ${COILRUN_NODE} ${PROJECT_SOURCE_DIR}/tools/web-precache.js ${CMAKE_BINARY_DIR}
  DEPENDS coilrun ${CMAKE_BINARY_DIR}/index.html ${CMAKE_BINARY_DIR}/manifest.webmanifest ${COILRUN_WEB_ICONS}
          ${PROJECT_SOURCE_DIR}/tools/web-precache.js ${PROJECT_SOURCE_DIR}/tools/npm/package-lock.json
  COMMENT "Service worker and its precache list")
add_custom_target(coilrun_web_offline ALL DEPENDS ${CMAKE_BINARY_DIR}/sw.js)

# ---- The browser test ----
# Where the probes of the scene fall, from the game's own World and camera
# maths under the browser's C runtime (its rand gives the food); run by Node.
add_executable(web_probe_points tests/web/ProbePoints.cpp)
target_link_libraries(web_probe_points PRIVATE coilrun_render_base coilrun_warnings)
# One file: this emscripten would fetch() a separate .wasm, which Node cannot do
# with a file path.
target_link_options(web_probe_points PRIVATE -sENVIRONMENT=node -sSINGLE_FILE)
set_target_properties(web_probe_points PROPERTIES CXX_LINKER_LAUNCHER "${COILRUN_WEB_LINK_LAUNCHER}")

if(COILRUN_TESTS)
  enable_testing()
  # Needs playwright-core in node_modules here; tools/web.sh installs it.
  add_test(NAME browser_test
           COMMAND node ${PROJECT_SOURCE_DIR}/tests/web/browser-test.js ${CMAKE_BINARY_DIR}
                   $<TARGET_FILE:web_probe_points>)
  set_tests_properties(browser_test PROPERTIES TIMEOUT 300
                       ENVIRONMENT "NODE_PATH=${CMAKE_BINARY_DIR}/node_modules")
  # The server `tools/web.sh serve` runs, against this build's files.
  add_test(NAME web_server_test
           COMMAND node ${PROJECT_SOURCE_DIR}/tests/web/server-test.js ${CMAKE_BINARY_DIR})
  set_tests_properties(web_server_test PROPERTIES TIMEOUT 60)
endif()
