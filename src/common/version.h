/* Shared by the program and its resource script: plain defines only. */
#pragma once

#define TAVRIN_VERSION_MAJOR 2
#define TAVRIN_VERSION_MINOR 4
#define TAVRIN_VERSION_REVISION 8
#define TAVRIN_VERSION_TEXT "2.4.8"
