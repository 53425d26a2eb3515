// Where the import options are stored between runs.
#pragma once

#define kSettingsKey L"Software\\Norvek\\Facetor for SolidWorks"
#define kImportAsValue L"Import As"
#define kUnitsValue L"Units"
#define kMultiBodyValue L"MultiBody"
#define kYUpValue L"Y Up"
#define kProgressValue L"Progress"
