// Texts of the folder previewer: list and grid, sorting, counts and sizes.

#include "localization/tables/group_tables.hpp"

namespace tavorin::translations {

namespace {

// clang-format off
constexpr TranslationEntry tr[] = {
    {"Name", "Ad"},
    {"Date Modified", "Değiştirilme Tarihi"},
    {"Size", "Boyut"},
    {"Kind", "Tür"},
    {"No permission to read this folder.", "Bu klasörü okuma izni yok."},
    {"Showing the first %d items (%d in total).", "İlk %d öğe gösteriliyor (toplam %d)."},
    {"Loading…", "Yükleniyor…"},
    {"This folder is empty.", "Bu klasör boş."},
    {"Sort", "Sırala"},
    {"Hide hidden files", "Gizli dosyaları gizle"},
    {"View", "Görüntü"},
    {"List / grid", "Liste / ızgara"},
    {"%d folders, %d files", "%d klasör, %d dosya"},
    {"Total size (%d files)", "Toplam boyut (%d dosya)"},
    {"The folder is very large; at least this much (%d files counted)", "Klasör çok büyük; en az bu kadar (%d dosya sayıldı)"},
    {"calculating size…", "boyut hesaplanıyor…"},
    {"%d items", "%d öğe"},
};

constexpr TranslationEntry de[] = {
    {"Name", "Name"},
    {"Date Modified", "Änderungsdatum"},
    {"Size", "Größe"},
    {"Kind", "Art"},
    {"No permission to read this folder.", "Keine Berechtigung zum Lesen dieses Ordners."},
    {"Showing the first %d items (%d in total).", "Die ersten %d Objekte werden gezeigt (insgesamt %d)."},
    {"Loading…", "Laden …"},
    {"This folder is empty.", "Dieser Ordner ist leer."},
    {"Sort", "Sortieren"},
    {"Hide hidden files", "Unsichtbare Dateien ausblenden"},
    {"View", "Ansicht"},
    {"List / grid", "Liste / Raster"},
    {"%d folders, %d files", "%d Ordner, %d Dateien"},
    {"Total size (%d files)", "Gesamtgröße (%d Dateien)"},
    {"The folder is very large; at least this much (%d files counted)", "Der Ordner ist sehr groß; mindestens so viel (%d Dateien gezählt)"},
    {"calculating size…", "Größe wird berechnet …"},
    {"%d items", "%d Objekte"},
};

constexpr TranslationEntry fr[] = {
    {"Name", "Nom"},
    {"Date Modified", "Date de modification"},
    {"Size", "Taille"},
    {"Kind", "Type"},
    {"No permission to read this folder.", "Vous n'avez pas l'autorisation de lire ce dossier."},
    {"Showing the first %d items (%d in total).", "Affichage des %d premiers éléments (%d au total)."},
    {"Loading…", "Chargement…"},
    {"This folder is empty.", "Ce dossier est vide."},
    {"Sort", "Trier"},
    {"Hide hidden files", "Masquer les fichiers invisibles"},
    {"View", "Présentation"},
    {"List / grid", "Liste / grille"},
    {"%d folders, %d files", "%d dossiers, %d fichiers"},
    {"Total size (%d files)", "Taille totale (%d fichiers)"},
    {"The folder is very large; at least this much (%d files counted)", "Le dossier est très volumineux ; au moins cette taille (%d fichiers comptés)"},
    {"calculating size…", "calcul de la taille…"},
    {"%d items", "%d éléments"},
};

constexpr TranslationEntry es[] = {
    {"Name", "Nombre"},
    {"Date Modified", "Fecha de modificación"},
    {"Size", "Tamaño"},
    {"Kind", "Clase"},
    {"No permission to read this folder.", "No tienes permiso para leer esta carpeta."},
    {"Showing the first %d items (%d in total).", "Se muestran los primeros %d ítems (%d en total)."},
    {"Loading…", "Cargando…"},
    {"This folder is empty.", "Esta carpeta está vacía."},
    {"Sort", "Ordenar"},
    {"Hide hidden files", "No mostrar archivos ocultos"},
    {"View", "Visualización"},
    {"List / grid", "Lista / cuadrícula"},
    {"%d folders, %d files", "%d carpetas, %d archivos"},
    {"Total size (%d files)", "Tamaño total (%d archivos)"},
    {"The folder is very large; at least this much (%d files counted)", "La carpeta es muy grande; como mínimo este tamaño (%d archivos contados)"},
    {"calculating size…", "calculando tamaño…"},
    {"%d items", "%d ítems"},
};

constexpr TranslationEntry it[] = {
    {"Name", "Nome"},
    {"Date Modified", "Data di modifica"},
    {"Size", "Dimensioni"},
    {"Kind", "Tipo"},
    {"No permission to read this folder.", "Nessuna autorizzazione per leggere questa cartella."},
    {"Showing the first %d items (%d in total).", "Vengono mostrati i primi %d elementi (%d in totale)."},
    {"Loading…", "Caricamento…"},
    {"This folder is empty.", "Questa cartella è vuota."},
    {"Sort", "Ordina"},
    {"Hide hidden files", "Non mostrare file nascosti"},
    {"View", "Vista"},
    {"List / grid", "Elenco / griglia"},
    {"%d folders, %d files", "%d cartelle, %d file"},
    {"Total size (%d files)", "Dimensioni totali (%d file)"},
    {"The folder is very large; at least this much (%d files counted)", "La cartella è molto grande; almeno queste dimensioni (%d file contati)"},
    {"calculating size…", "calcolo dimensioni…"},
    {"%d items", "%d elementi"},
};

constexpr TranslationEntry ptBR[] = {
    {"Name", "Nome"},
    {"Date Modified", "Data de Modificação"},
    {"Size", "Tamanho"},
    {"Kind", "Tipo"},
    {"No permission to read this folder.", "Sem permissão para ler esta pasta."},
    {"Showing the first %d items (%d in total).", "Mostrando os primeiros %d itens (%d no total)."},
    {"Loading…", "Carregando…"},
    {"This folder is empty.", "Esta pasta está vazia."},
    {"Sort", "Ordenar"},
    {"Hide hidden files", "Não mostrar arquivos ocultos"},
    {"View", "Visualizar"},
    {"List / grid", "Lista / grade"},
    {"%d folders, %d files", "%d pastas, %d arquivos"},
    {"Total size (%d files)", "Tamanho total (%d arquivos)"},
    {"The folder is very large; at least this much (%d files counted)", "A pasta é muito grande; pelo menos este tamanho (%d arquivos contados)"},
    {"calculating size…", "calculando tamanho…"},
    {"%d items", "%d itens"},
};


constexpr TranslationEntry nl[] = {
    {"Name", "Naam"},
    {"Date Modified", "Wijzigingsdatum"},
    {"Size", "Grootte"},
    {"Kind", "Soort"},
    {"No permission to read this folder.", "Geen toestemming om deze map te lezen."},
    {"Showing the first %d items (%d in total).", "De eerste %d onderdelen worden getoond (%d in totaal)."},
    {"Loading…", "Laden…"},
    {"This folder is empty.", "Deze map is leeg."},
    {"Sort", "Sorteer"},
    {"Hide hidden files", "Toon geen verborgen bestanden"},
    {"View", "Weergave"},
    {"List / grid", "Lijst / raster"},
    {"%d folders, %d files", "%d mappen, %d bestanden"},
    {"Total size (%d files)", "Totale grootte (%d bestanden)"},
    {"The folder is very large; at least this much (%d files counted)", "De map is erg groot; minstens zoveel (%d bestanden geteld)"},
    {"calculating size…", "grootte berekenen…"},
    {"%d items", "%d onderdelen"},
};

constexpr TranslationEntry ru[] = {
    {"Name", "Имя"},
    {"Date Modified", "Дата изменения"},
    {"Size", "Размер"},
    {"Kind", "Тип"},
    {"No permission to read this folder.", "Нет разрешения на чтение этой папки."},
    {"Showing the first %d items (%d in total).", "Показано объектов: %d из %d."},
    {"Loading…", "Загрузка…"},
    {"This folder is empty.", "Эта папка пуста."},
    {"Sort", "Сортировка"},
    {"Hide hidden files", "Не показывать скрытые файлы"},
    {"View", "Вид"},
    {"List / grid", "Список / сетка"},
    {"%d folders, %d files", "Папок: %d, файлов: %d"},
    {"Total size (%d files)", "Общий размер (файлов: %d)"},
    {"The folder is very large; at least this much (%d files counted)", "Папка очень большая; размер не меньше этого (учтено файлов: %d)"},
    {"calculating size…", "вычисление размера…"},
    {"%d items", "Объектов: %d"},
};

constexpr TranslationEntry ja[] = {
    {"Name", "名前"},
    {"Date Modified", "変更日"},
    {"Size", "サイズ"},
    {"Kind", "種類"},
    {"No permission to read this folder.", "このフォルダを読み出す許可がありません。"},
    {"Showing the first %d items (%d in total).", "最初の%1$d項目を表示中（合計%2$d）。"},
    {"Loading…", "読み込み中…"},
    {"This folder is empty.", "このフォルダは空です。"},
    {"Sort", "並べ替え"},
    {"Hide hidden files", "隠しファイルを非表示"},
    {"View", "表示"},
    {"List / grid", "リスト / グリッド"},
    {"%d folders, %d files", "フォルダ%1$d個、ファイル%2$d個"},
    {"Total size (%d files)", "合計サイズ（ファイル%d個）"},
    {"The folder is very large; at least this much (%d files counted)", "フォルダが非常に大きいため、少なくともこのサイズです（ファイル%d個を集計）"},
    {"calculating size…", "サイズを計算中…"},
    {"%d items", "%d項目"},
};

constexpr TranslationEntry zhHans[] = {
    {"Name", "名称"},
    {"Date Modified", "修改日期"},
    {"Size", "大小"},
    {"Kind", "种类"},
    {"No permission to read this folder.", "没有读取此文件夹的权限。"},
    {"Showing the first %d items (%d in total).", "正在显示前 %d 个项目（共 %d 个）。"},
    {"Loading…", "正在载入…"},
    {"This folder is empty.", "此文件夹为空。"},
    {"Sort", "排序"},
    {"Hide hidden files", "不显示隐藏文件"},
    {"View", "显示方式"},
    {"List / grid", "列表 / 网格"},
    {"%d folders, %d files", "%d 个文件夹，%d 个文件"},
    {"Total size (%d files)", "总大小（%d 个文件）"},
    {"The folder is very large; at least this much (%d files counted)", "文件夹非常大；至少有这么大（已统计 %d 个文件）"},
    {"calculating size…", "正在计算大小…"},
    {"%d items", "%d 个项目"},
};

constexpr TranslationEntry ko[] = {
    {"Name", "이름"},
    {"Date Modified", "수정일"},
    {"Size", "크기"},
    {"Kind", "종류"},
    {"No permission to read this folder.", "이 폴더를 읽을 권한이 없습니다."},
    {"Showing the first %d items (%d in total).", "처음 %d개 항목 표시 중(총 %d개)."},
    {"Loading…", "불러오는 중…"},
    {"This folder is empty.", "이 폴더는 비어 있습니다."},
    {"Sort", "정렬"},
    {"Hide hidden files", "숨김 파일 가리기"},
    {"View", "보기"},
    {"List / grid", "목록 / 격자"},
    {"%d folders, %d files", "폴더 %d개, 파일 %d개"},
    {"Total size (%d files)", "전체 크기(파일 %d개)"},
    {"The folder is very large; at least this much (%d files counted)", "폴더가 매우 큽니다. 최소한 이 크기입니다(파일 %d개 계산됨)"},
    {"calculating size…", "크기 계산 중…"},
    {"%d items", "항목 %d개"},
};

// clang-format on

constexpr LanguageEntries languages[] = {
    {"tr", tr}, {"de", de}, {"fr", fr}, {"es", es},          {"it", it}, {"pt-BR", ptBR},
    {"nl", nl}, {"ru", ru}, {"ja", ja}, {"zh-Hans", zhHans}, {"ko", ko},
};

}  // namespace

std::span<const LanguageEntries> folderPreview() {
  return languages;
}

}  // namespace tavorin::translations
