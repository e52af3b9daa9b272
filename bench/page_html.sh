#!/usr/bin/env bash
# Writes a book page as an equivalent HTML page (picture, sentence buttons, page number, chrome) for the Chromium comparison.
#
# Usage: page_html.sh BOOK_DIR PAGE OUT_DIR [NEXT_PAGE]
# Writes OUT_DIR/page_PAGE.html, referring to the book's images by file:// URL. The page reports
# its own first contentful paint in document.title ("fcp=<ms from navigation start>"; "raf=<ms>"
# when Chromium gives no paint entry). Opened with "#go", it navigates to NEXT_PAGE once painted,
# passing the wall-clock moment of the navigation; that page then reports "nav=<ms>": from the
# navigation request to its own first contentful paint.
set -euo pipefail
book=$1 page=$2 out=$3 next=${4:-}
layout="$book/tomeset/tomeset_$page.json"
[ -f "$layout" ] || { echo "page_html.sh: no $layout" >&2; exit 1; }
mkdir -p "$out"

# The layout's coordinates have their origin at the bottom left of a 640 x 960 design area; a
# child of the picture is placed relative to the picture's position (its anchor in the middle).
W=640 H=960
picture=$(jq -r '.widgetTree.children[] | select(.options.name=="picture") | .options.fileNameData.path' "$layout")
read -r px py < <(jq -r '.widgetTree.children[] | select(.options.name=="picture") | "\(.options.x) \(.options.y)"' "$layout")
picleft=$(awk -v x="$px" -v W=$W 'BEGIN{print x - W / 2}')
pictop=$(awk -v y="$py" -v H=$H 'BEGIN{print H - y - H / 2}')
buttons=$(jq -r --argjson px "$px" --argjson py "$py" --argjson H "$H" --arg book "$book" '
  .widgetTree.children[] | select(.options.name=="picture") | .children[] | select(.classname=="Button") | .options
  | (.width * (.scaleX // 1)) as $w | (.height * (.scaleY // 1)) as $h
  | "<button class=\"sentence\" id=\"\(.name)\" style=\"left:\($px + .x - $w/2)px;top:\($H - ($py + .y) - $h/2)px;width:\($w)px;height:\($h)px;background-image:url(file://\($book)/Images/bnren1.png)\"></button>"' "$layout")
labels=$(jq -r --argjson H "$H" '
  .widgetTree.children[] | select(.classname=="Label" or .classname=="TextButton") | .options
  | "<div class=\"label\" style=\"left:\(.x)px;top:\($H - .y)px;font-size:\(.fontSize // 26)px;color:rgb(\(.colorR // 0),\(.colorG // 0),\(.colorB // 0))\">\(.text // .buttonText // "")</div>"' "$layout")
nexturl=""
[ -n "$next" ] && nexturl="page_$next.html"

cat > "$out/page_$page.html" <<HTML
<!doctype html>
<html><head><meta charset="utf-8"><title>page $page</title>
<style>
html,body{margin:0;padding:0;background:#fff;overflow:hidden}
#page{position:relative;width:${W}px;height:${H}px}
#picture{position:absolute;left:${picleft}px;top:${pictop}px;width:${W}px;height:${H}px}
.sentence{position:absolute;border:0;padding:0;background-size:100% 100%;background-color:transparent;opacity:.6}
.label{position:absolute;transform:translate(-50%,-50%);font-family:Arial,"Liberation Sans",sans-serif;white-space:nowrap}
.chrome{position:absolute;width:80px;height:80px;border:0;padding:0;background-color:transparent;background-size:100% 100%}
#subtitle{position:absolute;left:245px;top:-36px;width:150px;height:72px;background:url(file://$book/Images/bnchback1.png);background-size:100% 100%;display:none}
</style></head>
<body><div id="page">
<img id="picture" src="file://$book/tomeset/$picture" alt="">
$buttons
$labels
<div id="subtitle"></div>
<button class="chrome" style="left:240px;top:$((H - 46 - 40))px;background-image:url(file://$book/Images/up1.png)"></button>
<button class="chrome" style="left:320px;top:$((H - 46 - 40))px;background-image:url(file://$book/Images/next1.png)"></button>
<button class="chrome" style="left:540px;top:$((H - 40 - 40))px;background-image:url(file://$book/Images/play_btn.png)"></button>
<div class="label" style="left:60px;top:$((H - 30))px;font-size:45px;color:#0000ff">Contents</div>
</div>
<script>
(function () {
  var reported = false, next = "$nexturl";
  function painted(kind, ms) {
    if (reported) return;
    reported = true;
    var t0 = /[#&]t0=([0-9.]+)/.exec(location.hash);
    if (t0) { document.title = "nav=" + (performance.timeOrigin + ms - parseFloat(t0[1])).toFixed(2); return; }
    document.title = kind + "=" + ms.toFixed(2);
    if (next && location.hash === "#go")
      setTimeout(function () { location.href = next + "#t0=" + (performance.timeOrigin + performance.now()); }, 300);
  }
  try {
    new PerformanceObserver(function (list) {
      list.getEntries().forEach(function (e) { if (e.name === "first-contentful-paint") painted("fcp", e.startTime); });
    }).observe({type: "paint", buffered: true});
  } catch (e) {}
  // Fallback: the second animation frame after load has been painted.
  addEventListener("load", function () {
    setTimeout(function () {
      requestAnimationFrame(function () { requestAnimationFrame(function () { painted("raf", performance.now()); }); });
    }, 1000);
  });
})();
</script>
</body></html>
HTML
echo "$out/page_$page.html"
