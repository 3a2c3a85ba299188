// The catalogue as the host receives it, byte for byte: every row's ID, name,
// hint, type-code array, highest index and count, in registration order.
#include <gtest/gtest.h>

#include <sstream>

#include "fixture.h"

namespace {

// One row a line: id|name|count|type codes|hint (Windows-1251 after compilation).
const char kExpected[] =
    "0|Скриншот|0|0|\n"
    "1|fzShotDesktopToJpg|2|1,1|Сделать снимок рабочего стола и сохранить файл в формате JPG. Можно установить степень сжатия.\n"
    "2|fzShotDesktopToBmp|1|1|Сделать снимок рабочего стола и сохранить файл в формате BMP.\n"
    "3|fzShotWindow|2|1,1|Сделать снимок полного окна (даже за пределами рабочего стола) и сохранить файл в формате BMP.\n"
    "4|fzShotObject|2|1,1|Сделать снимок объекта (даже если окно находится за пределами рабочего стола) и сохранить файл в формате BMP.\n"
    "5|fzShotRect|5|4,4,4,4,4|Сделать снимок произвольной области экрана и сохранить файл в формате BMP.\n"
    "0|Главное окно|0|0|\n"
    "6|fzToolWindow|0|0|Изменить стиль окна на ToolWindow.\n"
    "7|fzDialogBox|0|0|Изменить стиль окна на DialogBox (Стандартный).\n"
    "8|fzNoBorder|0|0|Изменить стиль окна на NoBorder.\n"
    "9|fzWinNoSizeBox|0|0|Убрать свойство растягивания окна.\n"
    "10|fzWinSizeBox|0|0|Добавить свойство растягивания окна.\n"
    "11|fzNoSusMenu|0|0|Удалить системные кнопки \"Свернуть\" \"Развернуть\" \"Закрыть\".\n"
    "12|fzAddSusMenu|0|0|Добавить системные кнопки \"Свернуть\" \"Развернуть\" \"Закрыть\".\n"
    "13|fzDisableButtonMinimize|0|0|Деактивировать кнопку \"Свернуть\".\n"
    "14|fzEnableButtonMinimize|0|0|Активировать кнопку \"Свернуть\".\n"
    "15|fzDisableButtonMaximize|0|0|Деактивировать кнопку \"Развернуть\".\n"
    "16|fzEnableButtonMaximize|0|0|Активировать кнопку \"Развернуть\".\n"
    "17|fzDisableButtonClose|0|0|Деактивировать кнопку \"Закрыть\".\n"
    "18|fzEnableButtonClose|0|0|Активировать кнопку \"Закрыть\".\n"
    "19|fzHideButtonMinimizeMaximize|0|0|Скрыть системные кнопки \"Свернуть\" \"Развернуть\".\n"
    "20|fzSetWindowMask|1|1|Наложить чёрно-белую маску на главное окно.\n"
    "21|fzSetColorTransparent|3|1,1,1|Установить цвет полной прозрачности объекта(ов) в главном окне. Цвет указывается в формате RGB.\n"
    "22|fzNoColorTransparent|0|0|Отменить цвет полной прозрачности объекта(ов) в главном окне.\n"
    "0|Внешние окна|0|0|\n"
    "23|fzCustomWindowSizeBox|1|1|Добавить свойство растягивания к внешнему окну.\n"
    "24|fzSetColorTransparentCustomWindow|4|1,1,1,1|Установить цвет полной прозрачности объекта(ов) во внешнем окне. Цвет указывается в формате RGB.\n"
    "25|fzNoColorTransparentCustomWindow|1|1|Отменить цвет полной прозрачности объекта(ов) во внешнем окне.\n"
    "0|Рабочий стол|0|0|\n"
    "26|fzHideShowIconDesktop|1|1|Скрыть \\ показать значки на рабочем столе.\n"
    "27|fzGetPixelColor|3|4,4,6|Получить цвет пикселя определённой точки экрана в формате RGB.\n"
    "0|Мышь курсор|0|0|\n"
    "28|fzClipCursor|4|4,4,4,4|Ограничить передвижение курсора мыши по заданным экранным координатам.\n"
    "29|fzNoClipCursor|0|0|Отменить ограничение раннее созданное командой \"fzClipCursor\".\n"
    "30|fzMouseStatus|1|1|Отключить \\ подключить мышь.\n"
    "31|fzMouseEvent|3|4,4,1|Имитировать щелчок левой, средней, правой кнопкой мыши.\n"
    "32|fzWindowFromPoint|1|6|Получить дескриптор (HWND) окна или элементов управления под курсором мыши.\n"
    "33|fzSetSystemCursor|1|1|Установить новый системный курсор.\n"
    "34|fzPrevSystemCursor|0|0|Вернуть предыдущий системный курсор.\n"
    "0|Панель задач|0|0|\n"
    "35|fzHideShowSistemTray|1|1|Скрыть \\ показать системный трэй.\n"
    "0|Клавиатура|0|0|\n"
    "36|fzCapsLockStatus|0|0|Определить состояние режима CapsLock. Результат возвращается в переменную [fz_CapsRez]. True-включен, False-выключен.\n"
    "37|fzCapsLockPush|0|0|Включить или отключить режим CapsLock.\n"
    "0|Объект ввод текста|0|0|\n"
    "38|fzSetTextEntryOptions|3|1,1,1|Изменить свойства объекта \"Ввод текста\" (TextEntry).\n"
    "0|Папки и файлы|0|0|\n"
    "39|fzRenameFile|2|4,4|Переименовать внешний файл.\n"
    "100|fzChangeColorBmp|2|5,1|Изменить глубину цвета изображения.\n"
    "0|Диалоги|0|0|\n"
    "40|fzColorDialog|10|1,4,4,1,1,1,6,6,6,6|Отобразить диалог для выбора цвета.\n"
    "0|Водяной знак|0|0|\n"
    "41|fzSetWatermark|10|4,4,4,4,4,4,4,4,4,4|Наложить водяной знак на изображение.\n"
    "0|Разное|0|0|\n"
    "42|fzEjectCD_ROM|0|0|Открыть дверцу привода.\n"
    "43|fzCloseCD_ROM|0|0|Закрыть дверцу привода.\n"
    "44|fzCopyFileToClip|1|1|Копировать файл любого расширения в буфер обмена.\n"
    "0|Эксперементально|0|0|\n"
    "45|fzSetWindowPngMaskShadow|1|1|Наложить на главное окно PNG маску с возможностью отображения полупрозрачной тени и других областей. Изначально окно не должно иметь панель заголовка и должно соответствовать размерам картинки PNG.\n"
    "46|fzGetSysColor|2|1,6|Получить системные цвета различных элементов управления в формате RGB.\n"
;

struct Row {
    int id;
    std::string name;
    int count;
    std::vector<uint8_t> codes;
    std::string hint;
};

std::vector<Row> ExpectedRows() {
    std::vector<Row> rows;
    std::istringstream in(kExpected);
    std::string line;
    while (std::getline(in, line)) {
        std::vector<std::string> f;
        size_t start = 0;
        for (int i = 0; i < 4; ++i) {
            const size_t bar = line.find('|', start);
            f.push_back(line.substr(start, bar - start));
            start = bar + 1;
        }
        f.push_back(line.substr(start));  // the hint may contain anything but a line break
        Row r{std::stoi(f[0]), f[1], std::stoi(f[2]), {}, f[4]};
        std::istringstream codes(f[3]);
        std::string c;
        while (std::getline(codes, c, ',')) r.codes.push_back(static_cast<uint8_t>(std::stoi(c)));
        rows.push_back(r);
    }
    return rows;
}

class CatalogueTest : public hqtest::PluginTest {};

TEST_F(CatalogueTest, RegistersAllSixtyRowsByteForByteInOrder) {
    const auto expected = ExpectedRows();
    ASSERT_EQ(expected.size(), 60u);
    const auto& got = host().Catalogue();
    ASSERT_EQ(got.size(), 60u);
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i + 1));
        const Row& e = expected[i];
        const hqhost::CatalogueEntry& g = got[i];
        EXPECT_EQ(g.id, e.id);
        EXPECT_EQ(g.name, e.name);
        EXPECT_FALSE(g.hintNull);
        EXPECT_EQ(g.hint, e.hint);
        EXPECT_EQ(g.count, e.count);
        EXPECT_EQ(g.highIndex, e.count > 0 ? e.count - 1 : 0);
        EXPECT_EQ(g.codes, e.codes);
    }
}

TEST_F(CatalogueTest, GroupHeadersAndParameterlessRowsUsePlaceholders) {
    const auto& got = host().Catalogue();
    int headers = 0;
    for (const auto& g : got) {
        if (g.id == 0) {
            ++headers;
            EXPECT_EQ(g.hint, "") << g.name;
            EXPECT_FALSE(g.hintNull) << g.name;
        }
        if (g.count == 0) {
            EXPECT_EQ(g.highIndex, 0);
            EXPECT_EQ(g.codes, std::vector<uint8_t>{0});
        }
    }
    EXPECT_EQ(headers, 13);
    EXPECT_EQ(got[48].id, 100);  // registered in its group, after ID 39
}

TEST_F(CatalogueTest, SecondRegistrationRegistersTheCatalogueAgain) {
    host().RegisterPlugIn();
    EXPECT_EQ(host().Catalogue().size(), 60u);
}

}  // namespace
