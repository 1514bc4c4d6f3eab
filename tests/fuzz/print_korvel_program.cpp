// Prints the Korvel listing (UTF-8) that an input of the structure-aware target stands
// for, with the options its first byte picks: for reading a seed or a finding.
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "korvel_generator.h"
#include "translation_checks.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::ifstream file(argv[i], std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
        if (bytes.empty()) continue;
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        const vestrel::TranslationOptions options = vestrel::fuzz::optionsFromByte(data[0]);
        vestrel::fuzz::ByteChoices choices(data + 1, bytes.size() - 1);
        std::cout << "== " << argv[i] << " (comments " << options.AddComment << ", program text "
                  << options.AddProgramText << ", tick " << options.TickResolution << ", period "
                  << options.RecalcPeriod << ")\n"
                  << vestrel::text::toUtf8(vestrel::fuzz::KorvelGenerator(choices).listing());
    }
    return 0;
}
