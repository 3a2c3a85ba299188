// The action catalogue in registration order: 13 group headers and 47 actions.
// Narrow literals become Windows-1251 bytes through -fexec-charset=CP1251.
#include "catalogue.h"

#include <cstddef>

namespace hq {

namespace {
const uint8_t kCodes2[] = {1, 1};
const uint8_t kCodes3[] = {1};
const uint8_t kCodes4[] = {1, 1};
const uint8_t kCodes5[] = {1, 1};
const uint8_t kCodes6[] = {4, 4, 4, 4, 4};
const uint8_t kCodes22[] = {1};
const uint8_t kCodes23[] = {1, 1, 1};
const uint8_t kCodes26[] = {1};
const uint8_t kCodes27[] = {1, 1, 1, 1};
const uint8_t kCodes28[] = {1};
const uint8_t kCodes30[] = {1};
const uint8_t kCodes31[] = {4, 4, 6};
const uint8_t kCodes33[] = {4, 4, 4, 4};
const uint8_t kCodes35[] = {1};
const uint8_t kCodes36[] = {4, 4, 1};
const uint8_t kCodes37[] = {6};
const uint8_t kCodes38[] = {1};
const uint8_t kCodes41[] = {1};
const uint8_t kCodes46[] = {1, 1, 1};
const uint8_t kCodes48[] = {4, 4};
const uint8_t kCodes49[] = {5, 1};
const uint8_t kCodes51[] = {1, 4, 4, 1, 1, 1, 6, 6, 6, 6};
const uint8_t kCodes53[] = {4, 4, 4, 4, 4, 4, 4, 4, 4, 4};
const uint8_t kCodes57[] = {1};
const uint8_t kCodes59[] = {1};
const uint8_t kCodes60[] = {1, 6};
const uint8_t kNoParameters[] = {0};

// A row's parameter count is the length of its type codes.
template <size_t N>
constexpr CatalogueRow Action(int32_t id, const char* name, const char* hint, const uint8_t (&codes)[N]) {
    return {id, name, hint, codes, static_cast<int32_t>(N)};
}
constexpr CatalogueRow Action(int32_t id, const char* name, const char* hint) {
    return {id, name, hint, kNoParameters, 0};
}
constexpr CatalogueRow Group(const char* name) { return {0, name, "", kNoParameters, 0}; }

}  // namespace

const CatalogueRow kCatalogue[kCatalogueSize] = {
    Group("Скриншот"),
    Action(1, "fzShotDesktopToJpg",
           "Сделать снимок рабочего стола и сохранить файл в формате JPG. Можно установить степень сжатия.", kCodes2),
    Action(2, "fzShotDesktopToBmp",
           "Сделать снимок рабочего стола и сохранить файл в формате BMP.", kCodes3),
    Action(3, "fzShotWindow",
           "Сделать снимок полного окна (даже за пределами рабочего стола) и сохранить файл в формате BMP.", kCodes4),
    Action(4, "fzShotObject",
           "Сделать снимок объекта (даже если окно находится за пределами рабочего стола) и сохранить файл в формате BMP.", kCodes5),
    Action(5, "fzShotRect",
           "Сделать снимок произвольной области экрана и сохранить файл в формате BMP.", kCodes6),
    Group("Главное окно"),
    Action(6, "fzToolWindow",
           "Изменить стиль окна на ToolWindow."),
    Action(7, "fzDialogBox",
           "Изменить стиль окна на DialogBox (Стандартный)."),
    Action(8, "fzNoBorder",
           "Изменить стиль окна на NoBorder."),
    Action(9, "fzWinNoSizeBox",
           "Убрать свойство растягивания окна."),
    Action(10, "fzWinSizeBox",
           "Добавить свойство растягивания окна."),
    Action(11, "fzNoSusMenu",
           "Удалить системные кнопки \"Свернуть\" \"Развернуть\" \"Закрыть\"."),
    Action(12, "fzAddSusMenu",
           "Добавить системные кнопки \"Свернуть\" \"Развернуть\" \"Закрыть\"."),
    Action(13, "fzDisableButtonMinimize",
           "Деактивировать кнопку \"Свернуть\"."),
    Action(14, "fzEnableButtonMinimize",
           "Активировать кнопку \"Свернуть\"."),
    Action(15, "fzDisableButtonMaximize",
           "Деактивировать кнопку \"Развернуть\"."),
    Action(16, "fzEnableButtonMaximize",
           "Активировать кнопку \"Развернуть\"."),
    Action(17, "fzDisableButtonClose",
           "Деактивировать кнопку \"Закрыть\"."),
    Action(18, "fzEnableButtonClose",
           "Активировать кнопку \"Закрыть\"."),
    Action(19, "fzHideButtonMinimizeMaximize",
           "Скрыть системные кнопки \"Свернуть\" \"Развернуть\"."),
    Action(20, "fzSetWindowMask",
           "Наложить чёрно-белую маску на главное окно.", kCodes22),
    Action(21, "fzSetColorTransparent",
           "Установить цвет полной прозрачности объекта(ов) в главном окне. Цвет указывается в формате RGB.", kCodes23),
    Action(22, "fzNoColorTransparent",
           "Отменить цвет полной прозрачности объекта(ов) в главном окне."),
    Group("Внешние окна"),
    Action(23, "fzCustomWindowSizeBox",
           "Добавить свойство растягивания к внешнему окну.", kCodes26),
    Action(24, "fzSetColorTransparentCustomWindow",
           "Установить цвет полной прозрачности объекта(ов) во внешнем окне. Цвет указывается в формате RGB.", kCodes27),
    Action(25, "fzNoColorTransparentCustomWindow",
           "Отменить цвет полной прозрачности объекта(ов) во внешнем окне.", kCodes28),
    Group("Рабочий стол"),
    Action(26, "fzHideShowIconDesktop",
           "Скрыть \\ показать значки на рабочем столе.", kCodes30),
    Action(27, "fzGetPixelColor",
           "Получить цвет пикселя определённой точки экрана в формате RGB.", kCodes31),
    Group("Мышь курсор"),
    Action(28, "fzClipCursor",
           "Ограничить передвижение курсора мыши по заданным экранным координатам.", kCodes33),
    Action(29, "fzNoClipCursor",
           "Отменить ограничение раннее созданное командой \"fzClipCursor\"."),
    Action(30, "fzMouseStatus",
           "Отключить \\ подключить мышь.", kCodes35),
    Action(31, "fzMouseEvent",
           "Имитировать щелчок левой, средней, правой кнопкой мыши.", kCodes36),
    Action(32, "fzWindowFromPoint",
           "Получить дескриптор (HWND) окна или элементов управления под курсором мыши.", kCodes37),
    Action(33, "fzSetSystemCursor",
           "Установить новый системный курсор.", kCodes38),
    Action(34, "fzPrevSystemCursor",
           "Вернуть предыдущий системный курсор."),
    Group("Панель задач"),
    Action(35, "fzHideShowSistemTray",
           "Скрыть \\ показать системный трэй.", kCodes41),
    Group("Клавиатура"),
    Action(36, "fzCapsLockStatus",
           "Определить состояние режима CapsLock. Результат возвращается в переменную [fz_CapsRez]. True-включен, False-выключен."),
    Action(37, "fzCapsLockPush",
           "Включить или отключить режим CapsLock."),
    Group("Объект ввод текста"),
    Action(38, "fzSetTextEntryOptions",
           "Изменить свойства объекта \"Ввод текста\" (TextEntry).", kCodes46),
    Group("Папки и файлы"),
    Action(39, "fzRenameFile",
           "Переименовать внешний файл.", kCodes48),
    Action(100, "fzChangeColorBmp",
           "Изменить глубину цвета изображения.", kCodes49),
    Group("Диалоги"),
    Action(40, "fzColorDialog",
           "Отобразить диалог для выбора цвета.", kCodes51),
    Group("Водяной знак"),
    Action(41, "fzSetWatermark",
           "Наложить водяной знак на изображение.", kCodes53),
    Group("Разное"),
    Action(42, "fzEjectCD_ROM",
           "Открыть дверцу привода."),
    Action(43, "fzCloseCD_ROM",
           "Закрыть дверцу привода."),
    Action(44, "fzCopyFileToClip",
           "Копировать файл любого расширения в буфер обмена.", kCodes57),
    Group("Эксперементально"),
    Action(45, "fzSetWindowPngMaskShadow",
           "Наложить на главное окно PNG маску с возможностью отображения полупрозрачной тени и других областей. Изначально окно не должно иметь панель заголовка и должно соответствовать размерам картинки PNG.", kCodes59),
    Action(46, "fzGetSysColor",
           "Получить системные цвета различных элементов управления в формате RGB.", kCodes60),
};

const CatalogueRow* FindAction(int32_t id) {
    if (id == 0) return nullptr;  // group headers carry 0
    for (const CatalogueRow& row : kCatalogue)
        if (row.id == id) return &row;
    return nullptr;
}

}  // namespace hq
