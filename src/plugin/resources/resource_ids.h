// Identifiers of the dialog templates, the icon and their controls.
#pragma once

#define IDD_CABRILLO 101
#define IDD_SETUP 105
#define IDD_DISTRICTS 106
#define IDD_WORKED_BEFORE 108
#define IDD_CONTINENTS 109
#define IDI_INFO_WINDOWS 110

// Setup dialog (105).
#define IDC_MASTER 1014
#define IDC_MULTIPLIER 1106

// Worked-before window (108): the owner-drawn list.
#define IDC_WORKED_LIST 1003

// Continent window (109), in the order EU, NA, SA, AF, AS, OC.
#define IDC_CONT_EU 1099
#define IDC_CONT_NA 1100
#define IDC_CONT_SA 1101
#define IDC_CONT_AF 1102
#define IDC_CONT_AS 1103
#define IDC_CONT_OC 1104
