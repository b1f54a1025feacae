/* Resource identifiers shared by the resource script and the program. */
#pragma once

#define IDI_APP 1
#define IDI_TOOL_EXIT 101
#define IDI_TOOL_SCHEDULE 102
#define IDI_TOOL_POWER_KEYS 103
#define IDI_TOOL_VOLUME_KEYS 104
#define IDI_TOOL_AUTO_LOGON 105
#define IDI_TOOL_TIME_SYNC 106
#define IDI_TOOL_HOME_PAGE 107
