// Prints the libraries each file's import table names, as the program reads
// them: one line per file, "path<TAB>status<TAB>name,name,...", status being
// read, unreadable or not-pe. tools/compare_wine_imports.py sets it against
// objdump over Wine's own modules.
#include <cstdio>
#include <memory>

#include "core/pe_imports.h"

namespace {

// Seeks and reads as the program's file reader does, over a C stream.
class StreamReader final : public brontal::PeReader {
public:
    explicit StreamReader(std::FILE* f) : f_(f) {}
    std::size_t read(void* buf, std::size_t n) override { return std::fread(buf, 1, n, f_); }
    bool seek(std::int32_t fromStart) override { return fromStart >= 0 && std::fseek(f_, fromStart, SEEK_SET) == 0; }

private:
    std::FILE* f_;
};

} // namespace

int main(int argc, char** argv) {
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(argv[i], "rb"), &std::fclose);
        if (!file) {
            std::fprintf(stderr, "cannot open %s\n", argv[i]);
            ++failed;
            continue;
        }
        StreamReader reader(file.get());
        brontal::PeImports imports = brontal::readPeImports(reader);
        const char* status = imports.status == brontal::ImportsStatus::Read         ? "read"
                             : imports.status == brontal::ImportsStatus::Unreadable ? "unreadable"
                                                                                    : "not-pe";
        std::printf("%s\t%s\t", argv[i], status);
        for (std::size_t k = 0; k < imports.libraries.size(); ++k)
            std::printf("%s%s", k ? "," : "", imports.libraries[k].c_str());
        std::printf("\n");
    }
    return failed ? 1 : 0;
}
