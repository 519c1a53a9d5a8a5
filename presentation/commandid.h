#pragma once

// The ids the menu items carry; Session::command acts on these and ignores the rest.
enum CommandId : int {
    IdQuit = 40002,
    IdStart = 40004,
    IdDividerAfterStop = 40005,
    IdDividerAfterQuit = 40006,
    IdDividerAfterSettings = 40007,
    IdDividerAfterSave = 40008,
    IdSettings = 40009,
    IdStop = 40010,
    IdAbout = 40012,
    IdSaveResult = 40013,
};
