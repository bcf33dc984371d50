# Installing Coilrun as a desktop game, and what it needs.

# Regenerates the committed icons from the board's layout and the scene's colours.
add_executable(makeicon tools/makeicon.cpp)
target_link_libraries(makeicon PRIVATE coilrun_game coilrun_warnings)
set(COILRUN_ICON_COMMANDS)
foreach(size 48 64 128 256)
  list(APPEND COILRUN_ICON_COMMANDS
       COMMAND makeicon ${size} ${PROJECT_SOURCE_DIR}/packaging/icons/${size}x${size}/coilrun.png)
endforeach()
add_custom_target(icons ${COILRUN_ICON_COMMANDS} DEPENDS makeicon
                  COMMENT "Generating packaging/icons/*/coilrun.png")
