#pragma once

#include <vector>

// The images the program carries for commands the desktop theme has no icon for: SVG texts,
// named after their files in framework/images. "%COLOUR%" in an image stands for the colour
// a colour picker shows.
struct ivShippedImage {
    const char* name;
    const char* svg;
};

const std::vector<ivShippedImage>& ShippedImages();
