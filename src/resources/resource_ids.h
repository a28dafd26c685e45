// Identifiers of the dialog templates, the icon and their controls.
#pragma once

#define IDD_CABRILLO 101
#define IDD_SETUP 105
#define IDD_DISTRICTS 106
#define IDD_WORKED_BEFORE 108
#define IDD_CONTINENTS 109
#define IDI_INFO_WINDOWS 110
