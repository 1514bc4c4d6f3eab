// The tables of words the editor features show.
#include "lsp/korvel_words.h"

#include "translator/diagnostics/messages.h"
#include "translator/text/append.h"
#include "translator/text/cp1251.h"

namespace vestrel::lsp {

const std::array<FamilyWords, 9> kFamilyWords = {{
    {},
    {"вд", "дискретный вход", "вд000", "вд777"},
    {"ва", "аналоговый вход", "ва000", "ва177"},
    {"дв", "дискретный выход", "дв000", "дв777"},
    {"ав", "аналоговый выход", "ав000", "ав177"},
    {"кб", "ключ блока", "кб0", "кб7"},
    {"кс", "ключ секции", "кс000", "кс737"},
    {"тм", "таймер", "тм00", "тм77"},
    {"ив", "переменная ив", "ив00", "ив37"},
}};
static_assert(kFamilyWords.size() == 9, "eight families and the empty entry 0");

namespace {

struct AlgorithmNameRow {
    int octalIndex;
    std::string_view name;
};

// The algorithms that have an IL template, by octal index.
constexpr AlgorithmNameRow kAlgorithmNames[] = {
    {01, "регулятор с зоной нечувствительности, интегральной составляющей, слежением и ограничением выхода"},
    {02, "регулятор с пропорциональной и дифференциальной составляющими, выход ограничен ±1000"},
    {03, "регулятор с интегральной и фильтрованной дифференциальной составляющими, слежением и ограничением выхода"},
    {04, "регулятор с двумя фильтрованными составляющими и слежением, выход ограничен ±1000"},
    {010, "реальное дифференцирующее звено"},
    {011, "апериодическое звено первого порядка"},
    {012, "интегратор с ограничениями и запретами уменьшения и увеличения"},
    {013, "ограничитель скорости изменения"},
    {014, "программа по времени: кусочно-линейная функция времени от запуска таймера"},
    {015, "снятие начального смещения с заданной скоростью"},
    {030, "взвешенная сумма трёх величин"},
    {031, "умножение и деление"},
    {032, "квадратный корень из произведения со знаком"},
    {033, "кусочно-линейная функция из четырёх отрезков"},
    {034, "минимум или максимум из восьми величин и его номер"},
    {040, "сложение чисел двойной длины"},
    {041, "сравнение чисел двойной длины с установкой бита"},
    {042, "умножение числа двойной длины на величину"},
    {050, "сложение в форме мантисса/порядок"},
    {051, "умножение в форме мантисса/порядок"},
    {052, "деление в форме мантисса/порядок"},
    {053, "квадратный корень в форме мантисса/порядок"},
    {060, "величина в форму мантисса/порядок"},
    {061, "число двойной длины в форму мантисса/порядок"},
    {062, "мантисса/порядок в величину"},
    {063, "мантисса/порядок в число двойной длины"},
    {0100, "копирование индексированной группы битового массива в группу битов, с инверсией или без"},
    {0101, "копирование аналоговых переменных в индексированную группу аналогового массива"},
    {0102, "копирование группы битов в индексированную группу битового массива, с инверсией или без"},
    {0103, "копирование индексированной группы аналогового массива в аналоговые переменные"},
    {0104, "выбор одной из восьми величин"},
    {0130, "установка или сброс группы битов"},
    {0131, "ИЛИ либо И-НЕ группы битов в другую группу битов"},
    {0132, "И группы битов"},
    {0133, "ИЛИ группы битов"},
    {0134, "И двух групп битов в третью"},
    {0135, "ИЛИ двух групп битов в третью"},
};
static_assert(std::size(kAlgorithmNames) == 37, "a name for each of the 37 templates");

constexpr bool namesMatchTemplates() {
    for (const AlgorithmNameRow& row : kAlgorithmNames)
        if (!AlgorithmInfo[static_cast<std::size_t>(row.octalIndex)].hasTemplate) return false;
    return true;
}
static_assert(namesMatchTemplates(), "every named algorithm has a template");

constexpr std::array<std::string_view, kAlgorithmCount> makeNameTable() {
    std::array<std::string_view, kAlgorithmCount> table{};
    for (const AlgorithmNameRow& row : kAlgorithmNames) table[static_cast<std::size_t>(row.octalIndex)] = row.name;
    return table;
}
constexpr std::array<std::string_view, kAlgorithmCount> kNameTable = makeNameTable();

}  // namespace

std::string_view algorithmName(int index) {
    if (index < 0 || index >= kAlgorithmCount) return {};
    return kNameTable[static_cast<std::size_t>(index)];
}

std::string parameterKindText(ParameterKind kind) {
    // The rejecting message names what the parameter must be after this lead-in.
    constexpr std::string_view kLeadIn = "Параметр алгоритма должен быть: ";
    std::string text = text::toUtf8(textOf(messageOf(kind)));
    if (text.starts_with(kLeadIn)) text.erase(0, kLeadIn.size());
    return text;
}

std::string algorithmWord(int index) {
    return text::concat("алг", text::Octal{static_cast<unsigned>(index), 3});
}

}  // namespace vestrel::lsp
