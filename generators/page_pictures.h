#pragma once

#include <string>
#include <vector>

// A file that a page refers to, to be written beside it.
struct ivPageFile {
    std::string name;  // a plain file name
    std::string bytes;
};

// Moves the pictures that a page holds inside itself (<img src="data:image/png;base64,...">)
// into files beside it, named "<base>_<n>.<png|jpg|bmp|gif>", and points the page at them:
// help viewers show no pictures held in the page. Returns the page; the files are appended
// to files. Data that is no picture of those kinds, or no valid base64, stays as it is.
std::string MovePicturesIntoFiles(const std::string& html, const std::string& base,
                                  std::vector<ivPageFile>& files);
