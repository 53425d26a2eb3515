// What an add-in puts up in the simulated host: File-Open entries, command groups with their
// images and items, and command tabs with their tab boxes.
#pragma once

#include "wintypes.h"

#include <memory>
#include <string>
#include <vector>

namespace sim
{
// An image file as the host read it while the call that named it ran.
struct ImageFile
{
    bool given = false;    // a path was handed over (not null)
    std::wstring path;
    bool readable = false; // an uncompressed BMP file that holds all its pixel rows
    LONG width = 0;
    LONG height = 0;
    int bitDepth = 0;
    size_t byteCount = 0; // the file's length
};

struct CommandItem
{
    std::wstring name;
    LONG position = 0;
    std::wstring hint;
    std::wstring tooltip;
    LONG imageIndex = 0;
    std::wstring callback;
    std::wstring enableCallback;
    LONG userId = 0;
    LONG options = 0;
    LONG commandId = 0; // the host's number of the command, unique in the host
};

struct CommandGroup
{
    int number = 0; // journal name group<n>
    LONG id = 0;
    std::wstring title;
    std::wstring tooltip;
    std::wstring hint;
    LONG position = 0;
    ImageFile largeIcon, smallIcon, largeImageStrip, smallImageStrip;
    std::vector<CommandItem> items;
    // The values of the host's own operations, once called.
    std::vector<LONG> optionA, optionB, optionC;
    bool activated = false;
};

struct CommandTabBox
{
    std::vector<LONG> commandIds;
    std::vector<LONG> textStyles;
};

struct CommandTab
{
    int number = 0; // journal name tab<n>
    LONG documentType = 0;
    std::wstring title;
    std::vector<CommandTabBox> boxes;
};

struct FileOpenItem
{
    LONG cookie = 0;
    std::wstring callback;
    std::wstring description;
    std::wstring extension;
};

struct UserInterface
{
    // Groups and tabs are shared with the interfaces handed out for them, which outlive a removal.
    std::vector<std::shared_ptr<CommandGroup>> groups;
    std::vector<std::shared_ptr<CommandTab>> tabs;
    std::vector<FileOpenItem> fileOpenItems;
    int groupsMade = 0, tabsMade = 0;
    LONG commandsMade = 0;

    CommandGroup* FindGroup(LONG id) const;
    const CommandItem* FindItem(const std::wstring& name) const;
};
} // namespace sim
