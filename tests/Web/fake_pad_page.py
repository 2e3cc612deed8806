#!/usr/bin/env python3
"""Writes a copy of the game's page in which the browser shows a game pad only from the
100th time the page asks for pads (about the 100th frame), in the standard layout,
holding button A and its left stick half right: how a real pad appears, once its first
button is pressed.

    fake_pad_page.py PAGE.html OUT.html
"""

import sys

FAKE_PAD = """<script>
(function () {
  var asked = 0;
  navigator.getGamepads = function () {
    if (++asked < 100)
      return [null, null, null, null];
    var buttons = [];
    for (var i = 0; i < 17; ++i)
      buttons.push({pressed: i == 0, touched: i == 0, value: i == 0 ? 1 : 0});
    return [{id: 'Fake pad', index: 0, connected: true, mapping: 'standard',
             timestamp: performance.now(), axes: [0.5, 0, 0, 0], buttons: buttons}, null, null, null];
  };
})();
</script>
"""


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.strip())
    with open(sys.argv[1], encoding="utf-8") as page:
        html = page.read()
    first_script = html.index("<script>")
    with open(sys.argv[2], "w", encoding="utf-8") as out:
        out.write(html[:first_script] + FAKE_PAD + html[first_script:])


if __name__ == "__main__":
    main()
