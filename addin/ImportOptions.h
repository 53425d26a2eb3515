// Runs the options dialog and hands its values to the import command.
#pragma once

#include "afxwin.h"

// TRUE with the five values written, in this order: length unit, import mode, multibody flag,
// Y-up flag, progress flag; FALSE, with none written, when the dialog was cancelled. A dialog
// that cannot be created gives TRUE with the dialog's constructor values.
BOOL GetImportOptions(int* pnUnits, int* pnImportAs, int* pbMultiBody, int* pbYUp, int* pbProgress);
