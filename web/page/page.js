// Maps the page's elements and events to the program compiled to WebAssembly.
// Every text, rule and number comes from there; this script only says how the
// browser shows and hears it.
'use strict';

(() => {
  const $ = (id) => document.getElementById(id);
  const fontFamily = '"MC Sans", "DejaVu Sans", sans-serif';
  const hex = (rgb) => '#' + (rgb & 0xffffff).toString(16).padStart(6, '0');

  let program = null;
  let tables = null;
  let frameRequested = false;
  // The pane that had the keyboard before the menu bar or a dialog took it.
  let lastPane = null;
  // Focus and selection asked for while a box is open over a dialog wait for it to close.
  let waiting = null;
  // The live region's line that holds the last sentence told.
  let toldLine = 1;
  const measurer = document.createElement('canvas').getContext('2d');

  function wake() {
    if (frameRequested || !program || program._mc_ended()) return;
    frameRequested = true;
    requestAnimationFrame(() => {
      frameRequested = false;
      if (program._mc_frame()) wake();
    });
  }

  // ---- What the program calls -------------------------------------------------

  const page = {
    measure(text, size) {
      measurer.font = `${size}px ${fontFamily}`;
      return Math.round(measurer.measureText(text).width);
    },
    lineHeight(size) {
      const probe = $('probe');
      probe.style.fontSize = `${size}px`;
      return Math.round(probe.getBoundingClientRect().height);
    },
    place(sx, sy, sw, sh, tx, ty, tw, th) {
      Object.assign($('status').style, { left: `${sx}px`, top: `${sy}px`, width: `${sw}px`, height: `${sh}px` });
      Object.assign($('shot-pane').style, { left: `${tx}px`, top: `${ty}px`, width: `${tw}px`, height: `${th}px` });
    },
    shotsResize(width, height, deviceWidth, deviceHeight) {
      for (const canvas of [$('figure'), $('shots')]) {
        canvas.style.width = `${width}px`;
        canvas.style.height = `${height}px`;
      }
      $('figure').width = deviceWidth;
      $('figure').height = deviceHeight;
      $('shots').width = width;
      $('shots').height = height;
    },
    figureFill(x, y, width, height, rgb) {
      const context = $('figure').getContext('2d');
      context.fillStyle = hex(rgb);
      context.fillRect(x, y, width, height);
    },
    figurePixel(x, y) {
      const [r, g, b] = $('figure').getContext('2d').getImageData(x, y, 1, 1).data;
      return (r << 16) | (g << 8) | b;
    },
    figureText(x, y, text, size, ink, paper) {
      const context = $('figure').getContext('2d');
      context.font = `${size}px ${fontFamily}`;
      context.textBaseline = 'top';
      context.fillStyle = hex(paper);
      context.fillRect(x, y, context.measureText(text).width, size);
      context.fillStyle = hex(ink);
      context.fillText(text, x, y);
    },
    points(heap, pointer, width, left, top, right, bottom) {
      const rows = bottom - top;
      const pixels = new Uint8ClampedArray(heap.buffer, pointer + top * width * 4, rows * width * 4);
      $('shots').getContext('2d').putImageData(new ImageData(pixels, width, rows), 0, top, left, 0, right - left, rows);
    },
    statusFill(x, y, width, height, rgb) {
      const sheet = $('status-page');
      if (x <= 0 && y <= 0) {
        sheet.replaceChildren();
        $('status').style.background = hex(rgb);
      }
    },
    statusText(x, y, text, size, ink, paper) {
      const key = `${x},${y}`;
      let cell = $('status-page').querySelector(`[data-at="${key}"]`);
      if (!cell) {
        cell = document.createElement('span');
        cell.dataset.at = key;
        Object.assign(cell.style, { left: `${x}px`, top: `${y}px` });
        $('status-page').append(cell);
      }
      Object.assign(cell.style, { fontSize: `${size}px`, color: hex(ink), background: hex(paper) });
      cell.textContent = text;
    },
    statusReading(text) {
      // Only the lines that changed, so that a screen reader is sent no more than what is new.
      const lines = text.split('\n');
      const reading = $('status-reading');
      while (reading.children.length < lines.length) reading.append(document.createElement('p'));
      while (reading.children.length > lines.length) reading.lastElementChild.remove();
      lines.forEach((line, i) => {
        if (reading.children[i].textContent !== line) reading.children[i].textContent = line;
      });
    },
    shotDescription(text) {
      $('shot-description').textContent = text;
    },
    focusFrame(pane, sides, rgb) {
      for (const element of document.querySelectorAll('.frame')) element.hidden = true;
      const host = pane === tables.panes.shots ? $('shot-pane') : pane === tables.panes.status ? $('status') : null;
      if (!host) return;
      host.querySelectorAll('.frame').forEach((element, i) => {
        Object.assign(element.style, {
          left: `${sides[i * 4]}px`, top: `${sides[i * 4 + 1]}px`,
          width: `${sides[i * 4 + 2]}px`, height: `${sides[i * 4 + 3]}px`, background: hex(rgb),
        });
        element.hidden = false;
      });
    },
    panePapers(shots, status) {
      $('shot-pane').style.background = hex(shots);
      $('status').style.background = hex(status);
    },
    announce(text) {
      // Each sentence in the line the one before did not take, which keeps it: Firefox drops a sentence replaced
      // before its next accessibility update, Orca a line's change while a newer one of that line waits. So a run's
      // start and its end 10 ms later are both heard, and the same sentence twice is told twice.
      toldLine = 1 - toldLine;
      $('announce').children[toldLine].textContent = text;
    },
    message(caption, text, warning) {
      showMessage(caption, text, warning, () => returnToPane());
    },
    download(bytes, name) {
      try {
        const url = URL.createObjectURL(new Blob([bytes], { type: 'text/plain' }));
        const link = document.createElement('a');
        link.href = url;
        link.download = name;
        link.hidden = true;
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(url), 60000);
        return true;
      } catch (error) {
        return false;
      }
    },
    dialogText(dialog, id) { return control(dialog, id).value; },
    dialogSetText(dialog, id, text) { control(dialog, id).value = text; },
    dialogChecked(dialog, id) { return control(dialog, id).checked; },
    dialogSetChecked(dialog, id, checked) { control(dialog, id).checked = checked; },
    dialogEnable(dialog, id, enabled) { control(dialog, id).disabled = !enabled; },
    dialogFocus(dialog, id, select) {
      const focus = () => {
        const element = control(dialog, id);
        element.focus();
        if (select) element.select();
      };
      if (waiting) waiting.push(focus); else focus();
    },
    dialogWarn(dialog, caption, text, warning) {
      waiting = [];
      showMessage(caption, text, warning, () => {
        const steps = waiting;
        waiting = null;
        steps.forEach((step) => step());
      });
    },
    dialogEnd(dialog) {
      $(dialog).close();
      program._mc_dialog_closed();
      returnToPane();
      wake();
    },
  };

  function control(dialog, id) {
    return $(dialog).querySelector(`[data-control="${id}"]`);
  }

  // ---- Panes and keyboard ---------------------------------------------------------

  function returnToPane() {
    (lastPane || $('status')).focus();
  }

  function layOut() {
    const client = $('client').getBoundingClientRect();
    program._mc_resize(Math.floor(client.width), Math.floor(client.height), window.devicePixelRatio || 1);
  }

  function followRatio() {
    // A move to a screen of another scale, or the page zoomed.
    const query = matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`);
    query.addEventListener('change', () => { layOut(); followRatio(); }, { once: true });
  }

  // Forced colours (Windows' high contrast, a browser's own) or more contrast asked for: the panes take the
  // browser's system colours, as the layer says.
  const contrastQueries = ['(forced-colors: active)', '(prefers-contrast: more)'].map((query) => matchMedia(query));

  function followContrast() {
    const probe = $('probe');
    const colour = (system) => {
      probe.style.color = system;
      const [r, g, b] = getComputedStyle(probe).color.match(/\d+/g).map(Number);
      return (r << 16) | (g << 8) | b;
    };
    const asked = contrastQueries.some((query) => query.matches);
    program._mc_palette(asked ? 1 : 0, colour('Canvas'), colour('CanvasText'), colour('Highlight'));
    probe.style.color = '';
    wake();
  }

  function command(id) {
    const open = program._mc_command(id);
    if (program._mc_ended()) {
      end();
      return;
    }
    if (open === tables.windows.settings) openDialog('settings', () => program._mc_settings_opened());
    else if (open === tables.windows.about) openDialog('about', () => program._mc_about_opened());
    else if (open === tables.windows.none) returnToPane();
    wake();
  }

  function end() {
    document.body.classList.add('ended');
    $('ended').hidden = false;
    $('ended').querySelector('h1').focus();
    // Told as well: Orca in Firefox says nothing of the heading, as the pane that had the focus went with the menu.
    page.announce(tables.endedText);
  }

  function menuItems() {
    return [...$('menubar').querySelectorAll('[role="menuitem"]')];
  }

  function buildMenu() {
    const bar = $('menubar');
    for (const item of tables.menu) {
      if (item.divider) {
        const divider = document.createElement('span');
        divider.setAttribute('role', 'separator');
        divider.className = 'divider';
        divider.textContent = item.label;
        bar.append(divider);
        continue;
      }
      const button = document.createElement('button');
      button.type = 'button';
      button.setAttribute('role', 'menuitem');
      button.dataset.command = item.id;
      button.tabIndex = -1;
      const mark = item.label.indexOf('&');
      const key = item.label[mark + 1];
      button.append(item.label.slice(0, mark));
      const underlined = document.createElement('u');
      underlined.textContent = key;
      button.append(underlined, item.label.slice(mark + 2));
      button.dataset.key = key.toLowerCase();
      button.setAttribute('aria-keyshortcuts', `Alt+${key.toUpperCase()}`);
      if (item.spoken) button.setAttribute('aria-label', item.spoken);
      button.addEventListener('click', () => command(item.id));
      bar.append(button);
    }
    menuItems()[0].tabIndex = 0;
    bar.addEventListener('keydown', (event) => {
      const items = menuItems();
      const at = items.indexOf(document.activeElement);
      const go = (i) => {
        items.forEach((item) => { item.tabIndex = -1; });
        const target = items[(i + items.length) % items.length];
        target.tabIndex = 0;
        target.focus();
      };
      const moves = { ArrowRight: at + 1, ArrowLeft: at - 1, Home: 0, End: items.length - 1 };
      if (event.key in moves) go(moves[event.key]);
      else if (event.key === 'Escape') returnToPane();
      else return;
      event.preventDefault();
    });
  }

  function keyDown(event) {
    if (document.querySelector('dialog[open]') || program._mc_ended()) return;
    if (event.key === 'F10') {
      event.preventDefault();
      if ($('menubar').contains(document.activeElement)) returnToPane();
      else menuItems()[0].focus();
      return;
    }
    if (event.altKey && !event.ctrlKey && event.key.length === 1) {
      const item = menuItems().find((button) => button.dataset.key === event.key.toLowerCase());
      if (item) {
        event.preventDefault();
        command(Number(item.dataset.command));
      }
    }
  }

  function paneFocus(element) {
    element.addEventListener('focus', () => {
      lastPane = element;
      program._mc_focus(tables.panes[element.dataset.pane]);
    });
    element.addEventListener('blur', () => program._mc_focus(tables.panes.none));
    element.addEventListener('pointerdown', () => element.focus());
  }

  // ---- Dialogs and boxes ------------------------------------------------------------

  function dialogUnits() {
    // As Windows counts them: a quarter of the font's average character width, an eighth of its height.
    const probe = $('probe');
    const font = getComputedStyle(document.querySelector('dialog'));
    probe.style.fontSize = font.fontSize;
    const letters = 'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ';
    measurer.font = font.font;
    return { x: measurer.measureText(letters).width / letters.length / 4, y: probe.getBoundingClientRect().height / 8 };
  }

  function buildDialog(name, table, onOk, onCancel, onToggle) {
    const dialog = $(name);
    const units = dialogUnits();
    const place = (element, c) => Object.assign(element.style, {
      left: `${c.x * units.x}px`, top: `${c.y * units.y}px`, width: `${c.width * units.x}px`, height: `${c.height * units.y}px`,
    });
    const heading = document.createElement('h2');
    heading.id = `${name}-title`;
    heading.textContent = table.title;
    dialog.setAttribute('aria-labelledby', heading.id);
    const body = document.createElement('form');
    body.method = 'dialog';
    body.className = 'units';
    Object.assign(body.style, { width: `${table.width * units.x}px`, height: `${table.height * units.y}px` });
    const titleBar = document.createElement('div');
    titleBar.className = 'title-bar';
    titleBar.append(heading);
    if (table.closeBox) {
      const close = document.createElement('button');
      close.type = 'button';
      close.className = 'close';
      close.textContent = '×';
      close.setAttribute('aria-label', 'Schließen');
      close.tabIndex = -1;
      close.addEventListener('click', onCancel);
      titleBar.append(close);
    }
    if (table.spoken) {
      const spoken = document.createElement('p');
      spoken.id = `${name}-spoken`;
      spoken.className = 'reader-only';
      spoken.textContent = table.spoken;
      dialog.append(spoken);
    }
    for (const c of table.controls) {
      let element;
      if (c.kind === 'edit') {
        element = document.createElement('input');
        element.type = 'text';
        element.inputMode = c.digitsOnly ? 'numeric' : 'decimal';
        element.autocomplete = 'off';
        element.spellcheck = false;
        if (c.maxLength > 0) element.maxLength = c.maxLength;
        element.setAttribute('aria-label', c.name);
        if (c.digitsOnly) {
          // Only digits can be typed; pasted text is left as it is.
          element.addEventListener('beforeinput', (event) => {
            if (event.inputType === 'insertText' && /\D/.test(event.data || '')) event.preventDefault();
          });
        }
      } else if (c.kind === 'checkbox') {
        element = document.createElement('label');
        const box = document.createElement('input');
        box.type = 'checkbox';
        box.dataset.control = c.id;
        if (c.name) box.setAttribute('aria-label', c.name);
        box.addEventListener('change', onToggle);
        element.append(box, c.text);
      } else if (c.kind === 'default' || c.kind === 'button') {
        element = document.createElement('button');
        element.type = c.kind === 'default' ? 'submit' : 'button';
        element.textContent = c.text;
        if (c.kind === 'default') element.className = 'default';
        // The dialog's text describes its default button, as in #message (index.html says why).
        if (c.kind === 'default' && table.spoken) element.setAttribute('aria-describedby', `${name}-spoken`);
        element.addEventListener('click', (event) => {
          event.preventDefault();
          if (c.kind === 'default') onOk(); else onCancel();
        });
      } else if (c.kind === 'group') {
        element = document.createElement('fieldset');
        const legend = document.createElement('legend');
        legend.textContent = c.text;
        if (c.text) element.append(legend);
        element.setAttribute('aria-hidden', 'true');
      } else if (c.kind === 'icon') {
        element = document.createElement('img');
        element.src = $('icon').href;
        element.alt = '';
      } else {
        element = document.createElement('span');
        element.textContent = c.text;
        element.setAttribute('aria-hidden', c.buddy ? 'true' : 'false');
      }
      element.classList.add('control', c.kind);
      if (c.id > 0 && c.kind !== 'checkbox') element.dataset.control = c.id;
      place(element, c);
      body.append(element);
    }
    // Enter takes the default button, wherever the keyboard is.
    body.addEventListener('submit', (event) => { event.preventDefault(); onOk(); });
    dialog.addEventListener('cancel', (event) => { event.preventDefault(); onCancel(); });
    dialog.append(titleBar, body);
  }

  function openDialog(name, opened) {
    $(name).showModal();
    opened();
  }

  function showMessage(caption, text, warning, closed) {
    const box = $('message');
    box.querySelector('h2').textContent = caption;
    box.querySelector('.text').replaceChildren(...text.split('\n').map((line) => {
      const paragraph = document.createElement('p');
      paragraph.textContent = line;
      return paragraph;
    }));
    box.classList.toggle('warning', warning);
    box.onclose = () => { box.onclose = null; closed(); };
    box.showModal();
    box.querySelector('button').focus();
  }

  // ---- Start ---------------------------------------------------------------------------

  async function start() {
    await document.fonts.load(`12px ${fontFamily}`);
    program = await createMonteCarlo({ page });
    tables = JSON.parse(program.UTF8ToString(program._mc_tables()));
    buildMenu();
    $('status').setAttribute('aria-label', tables.statusName);
    $('shots').setAttribute('aria-label', tables.shotName);
    buildDialog('settings', tables.settings, () => program._mc_settings_ok(),
      () => program._mc_settings_cancelled(), () => program._mc_settings_toggled());
    buildDialog('about', tables.about, () => program._mc_about_ok(), () => program._mc_about_cancelled(), () => {});
    $('ended').querySelector('h1').textContent = tables.ended;
    $('ended').querySelector('p').textContent = tables.endedText;
    paneFocus($('status'));
    paneFocus($('shots'));
    document.addEventListener('keydown', keyDown);
    new ResizeObserver(() => { layOut(); wake(); }).observe($('client'));
    layOut();
    followRatio();
    followContrast();
    contrastQueries.forEach((query) => query.addEventListener('change', followContrast));
    // The statistics have the keyboard from the start, as on the desktop.
    $('status').focus();
    wake();
    document.documentElement.dataset.ready = '1';
    // Served, the page keeps its files for use without a network; a file opened from disk needs none.
    if (location.protocol.startsWith('http') && 'serviceWorker' in navigator && document.querySelector('link[rel="manifest"]')) {
      navigator.serviceWorker.register('sw.js').catch(() => {});
    }
  }

  start();
})();
