// Texts of Smart Dock Hiding: its switch, status and settings.

#include "localization/tables/group_tables.hpp"

namespace tavorin::translations {

namespace {

// clang-format off
constexpr TranslationEntry tr[] = {
    {"Smart Dock Hiding", "Akıllı Dock Gizleme"},
    {"Smart Dock Hiding is on", "Akıllı Dock Gizleme açık"},
    {"Hide the Dock while a window touches it", "Bir pencere değdiği sürece Dock'u gizle"},
    {"Status: a window is touching the Dock, so it is hidden.", "Durum: Bir pencere Dock'a değiyor, bu yüzden Dock gizli."},
    {"Status: no window is touching the Dock, so it is shown.", "Durum: Dock'a değen pencere yok, bu yüzden Dock görünüyor."},
    {"The Dock stays visible and slides away while a window touches it. When no window touches it any more, it comes back. Your own Dock setting is restored when you turn this off or quit Tavorin.", "Dock görünür kalır ve bir pencere ona değdiği sürece kayarak gizlenir. Hiçbir pencere değmediğinde geri gelir. Bu özelliği kapattığında ya da Tavorin'den çıktığında kendi Dock ayarın geri yüklenir."},
    {"Behavior", "Davranış"},
    {"Sensitivity", "Hassasiyet"},
    {"How close a window may get to the Dock before it counts as touching. 0 = only when it actually overlaps the Dock.", "Bir pencerenin Dock'a değiyor sayılmadan önce ne kadar yaklaşabileceği. 0 = yalnızca Dock ile gerçekten çakıştığında."},
    {"Hide delay", "Gizleme gecikmesi"},
    {"Show delay", "Gösterme gecikmesi"},
    {"Hide delay: how long a window must touch the Dock before it hides. Show delay: how long the Dock waits after the last window moves away.", "Gizleme gecikmesi: Dock gizlenmeden önce bir pencerenin ona ne kadar süre değmesi gerektiği. Gösterme gecikmesi: Son pencere uzaklaştıktan sonra Dock'un ne kadar beklediği."},
    {"Without the Accessibility permission the whole Dock edge of the screen counts as the Dock.", "Erişilebilirlik izni olmadan ekranın Dock tarafındaki kenarının tamamı Dock sayılır."},
    {"%d pt", "%d nk"},
};

constexpr TranslationEntry de[] = {
    {"Smart Dock Hiding", "Intelligentes Dock-Ausblenden"},
    {"Smart Dock Hiding is on", "Intelligentes Dock-Ausblenden ist aktiviert"},
    {"Hide the Dock while a window touches it", "Dock ausblenden, solange ein Fenster es berührt"},
    {"Status: a window is touching the Dock, so it is hidden.", "Status: Ein Fenster berührt das Dock, daher ist es ausgeblendet."},
    {"Status: no window is touching the Dock, so it is shown.", "Status: Kein Fenster berührt das Dock, daher wird es angezeigt."},
    {"The Dock stays visible and slides away while a window touches it. When no window touches it any more, it comes back. Your own Dock setting is restored when you turn this off or quit Tavorin.", "Das Dock bleibt sichtbar und gleitet weg, solange ein Fenster es berührt. Berührt kein Fenster es mehr, kommt es zurück. Deine eigene Dock-Einstellung wird wiederhergestellt, wenn du diese Funktion ausschaltest oder Tavorin beendest."},
    {"Behavior", "Verhalten"},
    {"Sensitivity", "Empfindlichkeit"},
    {"How close a window may get to the Dock before it counts as touching. 0 = only when it actually overlaps the Dock.", "Wie nah ein Fenster dem Dock kommen darf, bevor es als Berührung zählt. 0 = nur wenn es das Dock tatsächlich überlappt."},
    {"Hide delay", "Verzögerung beim Ausblenden"},
    {"Show delay", "Verzögerung beim Einblenden"},
    {"Hide delay: how long a window must touch the Dock before it hides. Show delay: how long the Dock waits after the last window moves away.", "Verzögerung beim Ausblenden: wie lange ein Fenster das Dock berühren muss, bevor es ausgeblendet wird. Verzögerung beim Einblenden: wie lange das Dock wartet, nachdem sich das letzte Fenster entfernt hat."},
    {"Without the Accessibility permission the whole Dock edge of the screen counts as the Dock.", "Ohne die Berechtigung für Bedienungshilfen zählt der gesamte Dock-Rand des Bildschirms als Dock."},
    {"%d pt", "%d pt"},
};

constexpr TranslationEntry fr[] = {
    {"Smart Dock Hiding", "Masquage intelligent du Dock"},
    {"Smart Dock Hiding is on", "Masquage intelligent du Dock activé"},
    {"Hide the Dock while a window touches it", "Masquer le Dock lorsqu'une fenêtre le touche"},
    {"Status: a window is touching the Dock, so it is hidden.", "État : une fenêtre touche le Dock, il est donc masqué."},
    {"Status: no window is touching the Dock, so it is shown.", "État : aucune fenêtre ne touche le Dock, il est donc affiché."},
    {"The Dock stays visible and slides away while a window touches it. When no window touches it any more, it comes back. Your own Dock setting is restored when you turn this off or quit Tavorin.", "Le Dock reste visible et s'efface tant qu'une fenêtre le touche. Dès qu'aucune fenêtre ne le touche plus, il réapparaît. Votre propre réglage du Dock est rétabli lorsque vous désactivez cette option ou quittez Tavorin."},
    {"Behavior", "Comportement"},
    {"Sensitivity", "Sensibilité"},
    {"How close a window may get to the Dock before it counts as touching. 0 = only when it actually overlaps the Dock.", "Distance à laquelle une fenêtre peut s'approcher du Dock avant d'être considérée comme le touchant. 0 = uniquement lorsqu'elle chevauche réellement le Dock."},
    {"Hide delay", "Délai de masquage"},
    {"Show delay", "Délai d'affichage"},
    {"Hide delay: how long a window must touch the Dock before it hides. Show delay: how long the Dock waits after the last window moves away.", "Délai de masquage : durée pendant laquelle une fenêtre doit toucher le Dock avant qu'il ne se masque. Délai d'affichage : temps d'attente du Dock après l'éloignement de la dernière fenêtre."},
    {"Without the Accessibility permission the whole Dock edge of the screen counts as the Dock.", "Sans l'autorisation d'accessibilité, tout le bord de l'écran où se trouve le Dock compte comme le Dock."},
    {"%d pt", "%d pt"},
};

constexpr TranslationEntry es[] = {
    {"Smart Dock Hiding", "Ocultación inteligente del Dock"},
    {"Smart Dock Hiding is on", "Ocultación inteligente del Dock activada"},
    {"Hide the Dock while a window touches it", "Ocultar el Dock mientras una ventana lo toque"},
    {"Status: a window is touching the Dock, so it is hidden.", "Estado: una ventana está tocando el Dock, así que está oculto."},
    {"Status: no window is touching the Dock, so it is shown.", "Estado: ninguna ventana toca el Dock, así que se muestra."},
    {"The Dock stays visible and slides away while a window touches it. When no window touches it any more, it comes back. Your own Dock setting is restored when you turn this off or quit Tavorin.", "El Dock sigue visible y se retira mientras una ventana lo toca. Cuando ya no lo toca ninguna ventana, vuelve a aparecer. Tu propio ajuste del Dock se restaura al desactivar esta opción o salir de Tavorin."},
    {"Behavior", "Comportamiento"},
    {"Sensitivity", "Sensibilidad"},
    {"How close a window may get to the Dock before it counts as touching. 0 = only when it actually overlaps the Dock.", "Cuánto puede acercarse una ventana al Dock antes de considerarse que lo toca. 0 = solo cuando realmente se superpone al Dock."},
    {"Hide delay", "Retardo al ocultar"},
    {"Show delay", "Retardo al mostrar"},
    {"Hide delay: how long a window must touch the Dock before it hides. Show delay: how long the Dock waits after the last window moves away.", "Retardo al ocultar: cuánto tiempo debe tocar una ventana el Dock antes de que se oculte. Retardo al mostrar: cuánto espera el Dock después de que se aleje la última ventana."},
    {"Without the Accessibility permission the whole Dock edge of the screen counts as the Dock.", "Sin el permiso de accesibilidad, todo el borde de la pantalla donde está el Dock cuenta como Dock."},
    {"%d pt", "%d pt"},
};

constexpr TranslationEntry it[] = {
    {"Smart Dock Hiding", "Occultamento intelligente del Dock"},
    {"Smart Dock Hiding is on", "Occultamento intelligente del Dock attivo"},
    {"Hide the Dock while a window touches it", "Nascondi il Dock quando una finestra lo tocca"},
    {"Status: a window is touching the Dock, so it is hidden.", "Stato: una finestra tocca il Dock, quindi è nascosto."},
    {"Status: no window is touching the Dock, so it is shown.", "Stato: nessuna finestra tocca il Dock, quindi è visibile."},
    {"The Dock stays visible and slides away while a window touches it. When no window touches it any more, it comes back. Your own Dock setting is restored when you turn this off or quit Tavorin.", "Il Dock resta visibile e scorre via quando una finestra lo tocca. Quando nessuna finestra lo tocca più, ritorna. La tua impostazione del Dock viene ripristinata quando disattivi questa funzione o esci da Tavorin."},
    {"Behavior", "Comportamento"},
    {"Sensitivity", "Sensibilità"},
    {"How close a window may get to the Dock before it counts as touching. 0 = only when it actually overlaps the Dock.", "Quanto può avvicinarsi una finestra al Dock prima di essere considerata a contatto. 0 = solo quando si sovrappone davvero al Dock."},
    {"Hide delay", "Ritardo occultamento"},
    {"Show delay", "Ritardo visualizzazione"},
    {"Hide delay: how long a window must touch the Dock before it hides. Show delay: how long the Dock waits after the last window moves away.", "Ritardo occultamento: per quanto tempo una finestra deve toccare il Dock prima che si nasconda. Ritardo visualizzazione: quanto attende il Dock dopo che l'ultima finestra si è allontanata."},
    {"Without the Accessibility permission the whole Dock edge of the screen counts as the Dock.", "Senza l'autorizzazione di accessibilità, l'intero bordo dello schermo su cui si trova il Dock conta come Dock."},
    {"%d pt", "%d pt"},
};


constexpr TranslationEntry ptBR[] = {
    {"Smart Dock Hiding", "Ocultação inteligente do Dock"},
    {"Smart Dock Hiding is on", "Ocultação inteligente do Dock ativada"},
    {"Hide the Dock while a window touches it", "Ocultar o Dock enquanto uma janela o tocar"},
    {"Status: a window is touching the Dock, so it is hidden.", "Estado: uma janela está tocando o Dock, por isso ele está oculto."},
    {"Status: no window is touching the Dock, so it is shown.", "Estado: nenhuma janela está tocando o Dock, por isso ele está visível."},
    {"The Dock stays visible and slides away while a window touches it. When no window touches it any more, it comes back. Your own Dock setting is restored when you turn this off or quit Tavorin.", "O Dock continua visível e se recolhe enquanto uma janela o toca. Quando nenhuma janela o toca mais, ele volta. Seu próprio ajuste do Dock é restaurado quando você desativa esta opção ou encerra o Tavorin."},
    {"Behavior", "Comportamento"},
    {"Sensitivity", "Sensibilidade"},
    {"How close a window may get to the Dock before it counts as touching. 0 = only when it actually overlaps the Dock.", "Quanto uma janela pode se aproximar do Dock antes de contar como toque. 0 = somente quando ela de fato sobrepõe o Dock."},
    {"Hide delay", "Atraso para ocultar"},
    {"Show delay", "Atraso para mostrar"},
    {"Hide delay: how long a window must touch the Dock before it hides. Show delay: how long the Dock waits after the last window moves away.", "Atraso para ocultar: quanto tempo uma janela precisa tocar o Dock antes que ele se oculte. Atraso para mostrar: quanto tempo o Dock espera depois que a última janela se afasta."},
    {"Without the Accessibility permission the whole Dock edge of the screen counts as the Dock.", "Sem a permissão de acessibilidade, toda a borda da tela onde fica o Dock conta como Dock."},
    {"%d pt", "%d pt"},
};

constexpr TranslationEntry nl[] = {
    {"Smart Dock Hiding", "Dock slim verbergen"},
    {"Smart Dock Hiding is on", "Dock slim verbergen staat aan"},
    {"Hide the Dock while a window touches it", "Verberg het Dock zolang een venster het raakt"},
    {"Status: a window is touching the Dock, so it is hidden.", "Status: een venster raakt het Dock, dus het is verborgen."},
    {"Status: no window is touching the Dock, so it is shown.", "Status: geen venster raakt het Dock, dus het wordt getoond."},
    {"The Dock stays visible and slides away while a window touches it. When no window touches it any more, it comes back. Your own Dock setting is restored when you turn this off or quit Tavorin.", "Het Dock blijft zichtbaar en schuift weg zolang een venster het raakt. Zodra geen venster het meer raakt, komt het terug. Je eigen Dock-instelling wordt hersteld als je dit uitzet of Tavorin stopt."},
    {"Behavior", "Gedrag"},
    {"Sensitivity", "Gevoeligheid"},
    {"How close a window may get to the Dock before it counts as touching. 0 = only when it actually overlaps the Dock.", "Hoe dicht een venster bij het Dock mag komen voordat het als aanraken telt. 0 = alleen als het venster het Dock echt overlapt."},
    {"Hide delay", "Vertraging verbergen"},
    {"Show delay", "Vertraging tonen"},
    {"Hide delay: how long a window must touch the Dock before it hides. Show delay: how long the Dock waits after the last window moves away.", "Vertraging verbergen: hoelang een venster het Dock moet raken voordat het verdwijnt. Vertraging tonen: hoelang het Dock wacht nadat het laatste venster is weggegaan."},
    {"Without the Accessibility permission the whole Dock edge of the screen counts as the Dock.", "Zonder toestemming voor toegankelijkheid telt de hele schermrand met het Dock als het Dock."},
    {"%d pt", "%d pt"},
};

constexpr TranslationEntry ru[] = {
    {"Smart Dock Hiding", "Умное скрытие Dock"},
    {"Smart Dock Hiding is on", "«Умное скрытие Dock» включено"},
    {"Hide the Dock while a window touches it", "Скрывать Dock, пока его касается окно"},
    {"Status: a window is touching the Dock, so it is hidden.", "Статус: окно касается Dock, поэтому он скрыт."},
    {"Status: no window is touching the Dock, so it is shown.", "Статус: ни одно окно не касается Dock, поэтому он показан."},
    {"The Dock stays visible and slides away while a window touches it. When no window touches it any more, it comes back. Your own Dock setting is restored when you turn this off or quit Tavorin.", "Dock остается видимым и уезжает, пока его касается окно. Когда ни одно окно его больше не касается, он возвращается. Ваша собственная настройка Dock восстанавливается, когда вы выключаете эту функцию или завершаете Tavorin."},
    {"Behavior", "Поведение"},
    {"Sensitivity", "Чувствительность"},
    {"How close a window may get to the Dock before it counts as touching. 0 = only when it actually overlaps the Dock.", "Насколько близко окно может подойти к Dock, прежде чем это считается касанием. 0 = только при реальном перекрытии Dock."},
    {"Hide delay", "Задержка скрытия"},
    {"Show delay", "Задержка показа"},
    {"Hide delay: how long a window must touch the Dock before it hides. Show delay: how long the Dock waits after the last window moves away.", "Задержка скрытия: как долго окно должно касаться Dock, прежде чем он скроется. Задержка показа: сколько Dock ждет после того, как отошло последнее окно."},
    {"Without the Accessibility permission the whole Dock edge of the screen counts as the Dock.", "Без разрешения универсального доступа весь край экрана, у которого находится Dock, считается Dock."},
    {"%d pt", "%d пт"},
};

constexpr TranslationEntry ja[] = {
    {"Smart Dock Hiding", "Dockのスマート非表示"},
    {"Smart Dock Hiding is on", "Dockのスマート非表示をオン"},
    {"Hide the Dock while a window touches it", "ウインドウが触れている間はDockを非表示"},
    {"Status: a window is touching the Dock, so it is hidden.", "状況：ウインドウがDockに触れているため、Dockは非表示です。"},
    {"Status: no window is touching the Dock, so it is shown.", "状況：Dockに触れているウインドウがないため、Dockは表示されています。"},
    {"The Dock stays visible and slides away while a window touches it. When no window touches it any more, it comes back. Your own Dock setting is restored when you turn this off or quit Tavorin.", "Dockは表示されたままで、ウインドウが触れている間だけ隠れます。触れているウインドウがなくなると再び表示されます。この機能をオフにするかTavorinを終了すると、元のDock設定に戻ります。"},
    {"Behavior", "動作"},
    {"Sensitivity", "感度"},
    {"How close a window may get to the Dock before it counts as touching. 0 = only when it actually overlaps the Dock.", "ウインドウがDockにどこまで近づいたら触れているとみなすかを設定します。0 = 実際にDockと重なったときのみ。"},
    {"Hide delay", "非表示までの時間"},
    {"Show delay", "表示までの時間"},
    {"Hide delay: how long a window must touch the Dock before it hides. Show delay: how long the Dock waits after the last window moves away.", "非表示までの時間：Dockが隠れるまでにウインドウが触れ続ける必要がある時間。表示までの時間：最後のウインドウが離れてからDockが待つ時間。"},
    {"Without the Accessibility permission the whole Dock edge of the screen counts as the Dock.", "アクセシビリティの許可がない場合は、画面のDock側の端全体がDockとみなされます。"},
    {"%d pt", "%d pt"},
};

constexpr TranslationEntry zhHans[] = {
    {"Smart Dock Hiding", "智能隐藏程序坞"},
    {"Smart Dock Hiding is on", "智能隐藏程序坞已开启"},
    {"Hide the Dock while a window touches it", "窗口接触程序坞时将其隐藏"},
    {"Status: a window is touching the Dock, so it is hidden.", "状态：有窗口正接触程序坞，因此程序坞已隐藏。"},
    {"Status: no window is touching the Dock, so it is shown.", "状态：没有窗口接触程序坞，因此程序坞已显示。"},
    {"The Dock stays visible and slides away while a window touches it. When no window touches it any more, it comes back. Your own Dock setting is restored when you turn this off or quit Tavorin.", "程序坞保持可见，有窗口接触时会滑开隐藏。没有窗口再接触它时，它会重新出现。关闭此功能或退出 Tavorin 时，会恢复你自己的程序坞设置。"},
    {"Behavior", "行为"},
    {"Sensitivity", "灵敏度"},
    {"How close a window may get to the Dock before it counts as touching. 0 = only when it actually overlaps the Dock.", "窗口离程序坞多近时算作接触。0 = 仅在窗口实际与程序坞重叠时。"},
    {"Hide delay", "隐藏延迟"},
    {"Show delay", "显示延迟"},
    {"Hide delay: how long a window must touch the Dock before it hides. Show delay: how long the Dock waits after the last window moves away.", "隐藏延迟：窗口须接触程序坞多长时间后程序坞才隐藏。显示延迟：最后一个窗口移开后程序坞等待多长时间。"},
    {"Without the Accessibility permission the whole Dock edge of the screen counts as the Dock.", "没有辅助功能权限时，屏幕上程序坞所在的整条边缘都视为程序坞。"},
    {"%d pt", "%d pt"},
};

constexpr TranslationEntry ko[] = {
    {"Smart Dock Hiding", "스마트 Dock 가리기"},
    {"Smart Dock Hiding is on", "스마트 Dock 가리기 켜기"},
    {"Hide the Dock while a window touches it", "윈도우가 Dock에 닿아 있는 동안 Dock 가리기"},
    {"Status: a window is touching the Dock, so it is hidden.", "상태: 윈도우가 Dock에 닿아 있어 Dock이 가려져 있습니다."},
    {"Status: no window is touching the Dock, so it is shown.", "상태: Dock에 닿은 윈도우가 없어 Dock이 표시되어 있습니다."},
    {"The Dock stays visible and slides away while a window touches it. When no window touches it any more, it comes back. Your own Dock setting is restored when you turn this off or quit Tavorin.", "Dock은 계속 보이다가 윈도우가 닿아 있는 동안에는 밀려나 숨겨집니다. 닿은 윈도우가 더 이상 없으면 다시 나타납니다. 이 기능을 끄거나 Tavorin을 종료하면 원래 Dock 설정이 복원됩니다."},
    {"Behavior", "동작"},
    {"Sensitivity", "민감도"},
    {"How close a window may get to the Dock before it counts as touching. 0 = only when it actually overlaps the Dock.", "윈도우가 Dock에 얼마나 가까이 가면 닿은 것으로 간주할지 정합니다. 0 = Dock과 실제로 겹칠 때만."},
    {"Hide delay", "가리기 지연 시간"},
    {"Show delay", "보기 지연 시간"},
    {"Hide delay: how long a window must touch the Dock before it hides. Show delay: how long the Dock waits after the last window moves away.", "가리기 지연 시간: Dock이 가려지기 전에 윈도우가 Dock에 닿아 있어야 하는 시간. 보기 지연 시간: 마지막 윈도우가 멀어진 후 Dock이 기다리는 시간."},
    {"Without the Accessibility permission the whole Dock edge of the screen counts as the Dock.", "손쉬운 사용 권한이 없으면 화면에서 Dock이 있는 쪽 가장자리 전체를 Dock으로 간주합니다."},
    {"%d pt", "%d pt"},
};

// clang-format on

constexpr LanguageEntries languages[] = {
    {"tr", tr}, {"de", de}, {"fr", fr}, {"es", es},          {"it", it}, {"pt-BR", ptBR},
    {"nl", nl}, {"ru", ru}, {"ja", ja}, {"zh-Hans", zhHans}, {"ko", ko},
};

}  // namespace

std::span<const LanguageEntries> smartDock() {
  return languages;
}

}  // namespace tavorin::translations
