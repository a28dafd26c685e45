// The check's CSV files. Every cell of text goes through CsvCell.
#pragma once

#include <string>

#include "check/checked_contest.h"

// One row per ranked log, highest checked score first, under the header line
// call,logged_qsos,claimed_score,checked_qsos,checked_score,nil,busted_call,busted_exchange,unique
// (scripts read these columns: they stay as they are; more go into entrants.csv).
std::string ResultsCsv(const CheckedContest& contest);

// Every judged QSO the check did not confirm, but those with stations that
// sent no log and that others worked too (in StationsWithoutLogCsv), and a
// row per log whose clock was found off (verdict clock_offset, detail "600 s"):
// call,line,verdict,detail,worked,band,time,evidence_line
// The detail names the other log's line, evidence_line shows it.
std::string FindingsCsv(const CheckedContest& contest);

// Each worked station that sent no log: call,logs,qsos (the logs that hold
// it, and its QSOs in them), most worked first.
std::string StationsWithoutLogCsv(const CheckedContest& contest);

// Every file of the folder and what became of it:
// file,call,status,reason,qso_lines,evidence_only_lines,unreadable_lines,
// category_operator,category_band,category_transmitter,category_power,category,
// claimed_score_header,report
std::string ReceivedCsv(const CheckedContest& contest);

// Every log checked, ranked ones first in the order of results.csv:
// call,file,report,status,category,japanese,country,continent,district,
// claimed_score_header,claimed_score,checked_score,verifiable_qsos,error_rate,
// unverified,mode_differs,evidence_only_lines,unreadable_lines,category_fault
std::string EntrantsCsv(const CheckedContest& contest);
