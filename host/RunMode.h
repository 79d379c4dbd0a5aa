#pragma once

// What one process of the saver does; written once by the command-line scan.
enum class RunMode : int {
    None = 0,
    Configure = 1,
    ChangePassword = 2,
    Preview = 3,
    Saver = 4,
};
