#pragma once
// Ids of the explanation dialog. Plain #defines: the resource compiler reads
// this file too.
#define IDD_EXPLAIN 104  // formula explanation dialog
#define IDC_EXPLAIN_TEXT 320
