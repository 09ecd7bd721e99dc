#pragma once

#include <functional>
#include <random>
#include <string>
#include <vector>

// What the benchmarks share: timing, and the documents they time.
namespace bench {

// Seconds that work takes.
double Seconds(const std::function<void()>& work);
double Median(std::vector<double> values);
// The median of runs runs of work, in seconds.
double MedianOf(int runs, const std::function<void()>& work);

// A section body as a word processor writes it: header tables, styled paragraphs, code-page
// escapes, Unicode escapes and a hyperlink field; about 5 KB.
std::string RealisticBody(int n, std::mt19937& random);

// Writes a document of sections sections to path, chapters of 9 sections of 10 subsections
// each (100 chapters make 10,000 sections), each with a body from body (n, random); returns
// the sections' IDs in document order.
std::vector<std::string> WriteDocument(const std::string& path, int sections,
                                       const std::function<std::string(int, std::mt19937&)>& body);

// A folder of the benchmark's own, removed with all it holds when the object goes, with the
// settings store in it and its "conf" folder as the configuration folder.
class BenchFolder {
public:
    BenchFolder();
    ~BenchFolder();
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    std::string File(const std::string& name) const;

private:
    std::string m_path;
};

// Bytes the program holds on its heap now.
size_t HeapInUse();

}  // namespace bench
